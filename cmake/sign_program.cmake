# Signs a program file in place (Authenticode, SHA-256):
#   cmake -DPROGRAM=<file> -DCERT=<pem> -DKEY=<pem> [-DOSSLSIGNCODE=<osslsigncode>]
#         -P sign_program.cmake
# The signing time is SOURCE_DATE_EPOCH when the environment sets it, so that the same
# program signed with the same key gives the same bytes; otherwise it is the present time.
# When signing fails the program file is removed: the build stops, and the next one links the
# program again instead of taking the unsigned file for finished.
if(NOT OSSLSIGNCODE)
  set(OSSLSIGNCODE osslsigncode)
endif()
set(options sign -h sha256 -certs ${CERT} -key ${KEY})
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    file(REMOVE ${PROGRAM})
    message(FATAL_ERROR "SOURCE_DATE_EPOCH='$ENV{SOURCE_DATE_EPOCH}' is not a number of seconds")
  endif()
  list(APPEND options -time $ENV{SOURCE_DATE_EPOCH})
endif()

set(signed ${PROGRAM}.signed)
file(REMOVE ${signed})
execute_process(COMMAND ${OSSLSIGNCODE} ${options} -in ${PROGRAM} -out ${signed}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${signed})
  file(REMOVE ${PROGRAM} ${signed})
  message(FATAL_ERROR "Signing ${PROGRAM} with ${CERT} and ${KEY} failed:\n${output}")
endif()
file(RENAME ${signed} ${PROGRAM})
# As the linker left it: a program.
file(CHMOD ${PROGRAM} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
