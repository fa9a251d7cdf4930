# The resources of veilo.exe, as an object library (veilo_resources) that the program and the
# Windows test programs link: the tests create the dialogs and load the menus, bitmaps, pointers
# and icons from their own module.
#
# scripts/make-resources.py draws the pictures into the build tree at build time; windres then
# compiles resources/veilo.rc with that folder on its include path. A change to the script, the
# .rc file, the manifest or the id header rebuilds the resources.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VEILO_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/scripts/make-resources.py)
set(VEILO_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)

# The script names its files; asking it at configure time keeps one list, and configuring
# again whenever the script (or its drawing kit) changes keeps that list current.
execute_process(
  COMMAND ${Python3_EXECUTABLE} ${VEILO_RESOURCE_SCRIPT} --list
  OUTPUT_VARIABLE resource_names
  RESULT_VARIABLE resource_list_status
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT resource_list_status EQUAL 0)
  message(FATAL_ERROR "${VEILO_RESOURCE_SCRIPT} --list failed (${resource_list_status})")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${VEILO_RESOURCE_SCRIPT} ${CMAKE_SOURCE_DIR}/scripts/pixel_art.py)
string(REPLACE "\n" ";" resource_names "${resource_names}")
list(TRANSFORM resource_names PREPEND ${VEILO_RESOURCE_DIR}/ OUTPUT_VARIABLE resource_files)

add_custom_command(
  OUTPUT ${resource_files}
  COMMAND ${Python3_EXECUTABLE} ${VEILO_RESOURCE_SCRIPT} ${VEILO_RESOURCE_DIR}
  DEPENDS ${VEILO_RESOURCE_SCRIPT} ${CMAKE_SOURCE_DIR}/scripts/pixel_art.py
  COMMENT "Drawing the toolbar bitmaps, pointers and icons"
  VERBATIM)
add_custom_target(veilo_resource_files DEPENDS ${resource_files})

set(rc_file ${CMAKE_SOURCE_DIR}/resources/veilo.rc)
# The dialog templates of each group of dialogs live in files of their own, included by veilo.rc.
file(GLOB rc_dialog_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/dialogs_*.rc)
add_library(veilo_resources OBJECT ${rc_file})
add_dependencies(veilo_resources veilo_resource_files)
target_include_directories(veilo_resources PRIVATE
  ${VEILO_RESOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources ${CMAKE_SOURCE_DIR}/src)
# The version resource and the About box take the project version: its text as written
# ("2.02") and its numbers for the version block (a missing part counts as 0).
set(veilo_version_numbers)
foreach(part MAJOR MINOR PATCH)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  math(EXPR number "${number}")  # "02" is 2
  list(APPEND veilo_version_numbers VEILO_VERSION_${part}=${number})
endforeach()
target_compile_definitions(veilo_resources PRIVATE VEILO_VERSION=${PROJECT_VERSION} ${veilo_version_numbers})
# windres reports no dependencies: name every file the .rc pulls in.
set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS
  ${resource_files}
  ${CMAKE_SOURCE_DIR}/resources/veilo.exe.manifest
  ${rc_dialog_files}
  ${CMAKE_SOURCE_DIR}/src/shell/resource_ids.h)
