# Tests that need a Wine session of an unprivileged user (uid 65534), for whom Wine enforces
# file permissions as Windows does; root passes them all.

# flarvex_unprivileged_test(name COMMAND command...): runs command in such a session. Where
# that user cannot reach the build tree (a checkout under a private home), the test is
# reported as skipped, with the folder in the way.
function(flarvex_unprivileged_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "COMMAND")
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session --root ${FLARVEX_HOST_DIR}/wine
            --user 65534 --timeout 120 -- ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 150)
endfunction()
