# Builds the Windows part in build/windows with the mingw-w64 toolchain, after the host
# artifacts it embeds, and lets this build's ctest run its tests too.
include(ExternalProject)

# Where the Windows part finds GoogleTest's sources, given at the top configure.
set(FLARVEX_GOOGLETEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH
    "GoogleTest's sources for the Windows part (found by find_package when absent)")

# The Windows targets to build; empty for all of them. A build that needs only the programs
# (setup for setup.exe and Flarvex.scr) names them and skips the test programs.
set(FLARVEX_WINDOWS_TARGETS "" CACHE STRING "Windows part targets to build (empty: all)")
set(windows_build_command ${CMAKE_COMMAND} --build <BINARY_DIR>)
if(FLARVEX_WINDOWS_TARGETS)
  list(APPEND windows_build_command --target ${FLARVEX_WINDOWS_TARGETS})
endif()

ExternalProject_Add(windows
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/windows
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DFLARVEX_HOST_DIR=${CMAKE_BINARY_DIR}
    -DFLARVEX_SIGNING_CERT=${FLARVEX_SIGNING_CERT}
    -DFLARVEX_SIGNING_KEY=${FLARVEX_SIGNING_KEY}
    -DFLARVEX_GOOGLETEST_SOURCE_DIR=${FLARVEX_GOOGLETEST_SOURCE_DIR}
    -DFLARVEX_KERNEL_SOURCE=${FLARVEX_KERNEL_SOURCE}
    -DFLARVEX_KERNEL_LZ4=${FLARVEX_KERNEL_LZ4}
  BUILD_COMMAND ${windows_build_command}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_CONFIGURE ON
  USES_TERMINAL_BUILD ON
  DEPENDS host_artifacts)

file(WRITE ${CMAKE_BINARY_DIR}/windows_tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/windows\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows_tests.cmake)

# `cmake --build build --target size_report`: where the bytes of setup.exe go.
add_custom_target(size_report
  COMMAND ${CMAKE_SOURCE_DIR}/tools/size-report ${CMAKE_BINARY_DIR}
  USES_TERMINAL VERBATIM)
add_dependencies(size_report windows)
