# The picture codec libraries (libjpeg-turbo with the version 62 API, libpng 1.6,
# zlib, libtiff 4, OpenJPEG 2.5), gathered behind one interface target,
# veilo_codecs. Natively they come from Debian's -dev packages; the Windows
# builds link static libraries that scripts/build-deps cross-builds into
# .deps/<arch>, so that the programs need no codec DLLs.

add_library(veilo_codecs INTERFACE)

if(WIN32)
  set(VEILO_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps/${CMAKE_SYSTEM_PROCESSOR}" CACHE PATH
    "Static codec libraries built by scripts/build-deps for this target")
  set(stamp "${VEILO_DEPS_DIR}/build-deps.stamp")
  set(rebuild_hint "Run scripts/build-deps ${CMAKE_SYSTEM_PROCESSOR} (or scripts/build-deps for both archs) and configure again.")

  set(libs z jpeg png16 tiff openjp2)
  foreach(lib IN LISTS libs)
    if(NOT EXISTS "${stamp}" OR NOT EXISTS "${VEILO_DEPS_DIR}/lib/lib${lib}.a")
      message(FATAL_ERROR "The static codec libraries for ${CMAKE_SYSTEM_PROCESSOR} are missing "
        "from ${VEILO_DEPS_DIR}.\n${rebuild_hint}")
    endif()
  endforeach()

  # The stamp ends with the hash of the script that built the libraries.
  file(SHA256 "${CMAKE_SOURCE_DIR}/scripts/build-deps" script_hash)
  file(STRINGS "${stamp}" stamp_hash REGEX "^script ")
  if(NOT stamp_hash STREQUAL "script ${script_hash}")
    message(WARNING "The codec libraries in ${VEILO_DEPS_DIR} were built by another version of "
      "scripts/build-deps.\n${rebuild_hint}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${stamp}" "${CMAKE_SOURCE_DIR}/scripts/build-deps")

  # Full paths, never -l: the toolchain's own directory holds DLL import
  # libraries (libz.dll.a) that the linker would otherwise prefer.
  function(veilo_import_static name lib)
    set(include_dirs "${VEILO_DEPS_DIR}/include" ${ARGN})
    add_library(${name} STATIC IMPORTED)
    set_target_properties(${name} PROPERTIES
      IMPORTED_LOCATION "${VEILO_DEPS_DIR}/lib/lib${lib}.a"
      INTERFACE_INCLUDE_DIRECTORIES "${include_dirs}")
  endfunction()
  veilo_import_static(veilo::zlib z)
  veilo_import_static(veilo::jpeg jpeg)
  veilo_import_static(veilo::png png16)
  veilo_import_static(veilo::tiff tiff)
  veilo_import_static(veilo::openjp2 openjp2 "${VEILO_DEPS_DIR}/include/openjpeg-2.5")
  set_property(TARGET veilo::png APPEND PROPERTY INTERFACE_LINK_LIBRARIES veilo::zlib)
  set_property(TARGET veilo::tiff APPEND PROPERTY INTERFACE_LINK_LIBRARIES veilo::jpeg veilo::zlib)
  # Without OPJ_STATIC, openjpeg.h declares its functions dllimport.
  set_property(TARGET veilo::openjp2 APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS OPJ_STATIC)

  target_link_libraries(veilo_codecs INTERFACE
    veilo::tiff veilo::png veilo::jpeg veilo::openjp2 veilo::zlib)
else()
  find_package(ZLIB REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(PNG 1.6 REQUIRED)
  find_package(TIFF 4 REQUIRED)
  # Debian's libopenjp2-7-dev ships both a pkg-config file and a CMake package;
  # the CMake package also imports the JPIP tools, so pkg-config comes first.
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(OPENJP2 QUIET IMPORTED_TARGET libopenjp2>=2.5)
  endif()
  if(TARGET PkgConfig::OPENJP2)
    set(openjp2_target PkgConfig::OPENJP2)
  else()
    find_package(OpenJPEG CONFIG QUIET)
    if(NOT TARGET openjp2 OR OPENJPEG_MAJOR_VERSION LESS 2
        OR (OPENJPEG_MAJOR_VERSION EQUAL 2 AND OPENJPEG_MINOR_VERSION LESS 5))
      message(FATAL_ERROR "OpenJPEG 2.5 not found: install libopenjp2-7-dev.")
    endif()
    set(openjp2_target openjp2)
  endif()
  if(NOT JPEG_VERSION EQUAL 62)
    message(FATAL_ERROR "libjpeg with the version 62 API wanted, found ${JPEG_VERSION}: "
      "install libjpeg62-turbo-dev.")
  endif()
  target_link_libraries(veilo_codecs INTERFACE
    TIFF::TIFF PNG::PNG JPEG::JPEG ${openjp2_target} ZLIB::ZLIB)
endif()
