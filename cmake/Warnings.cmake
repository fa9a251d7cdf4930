function(veilo_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion-null
    -Wnon-virtual-dtor -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
endfunction()
