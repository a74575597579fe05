# Whether the programs that ship are signed, read in both parts of the build (the host part
# leaves out the tests that compare with unsigned programs). With FLARVEX_SIGNING_CERT (a PEM
# certificate) and FLARVEX_SIGNING_KEY (its PEM private key) set, FLARVEX_SIGNING is ON and
# every shipped program is signed with OSSLSIGNCODE as the last step of its link
# (shipped_program.cmake). Without them nothing is signed.
set(FLARVEX_SIGNING_CERT "" CACHE FILEPATH "PEM certificate to sign the programs with (optional)")
set(FLARVEX_SIGNING_KEY "" CACHE FILEPATH "PEM private key of FLARVEX_SIGNING_CERT (optional)")

set(FLARVEX_SIGNING OFF)
if(FLARVEX_SIGNING_CERT OR FLARVEX_SIGNING_KEY)
  foreach(variable FLARVEX_SIGNING_CERT FLARVEX_SIGNING_KEY)
    if(NOT ${variable})
      message(FATAL_ERROR "Signing needs both FLARVEX_SIGNING_CERT and FLARVEX_SIGNING_KEY; "
                          "${variable} is not set")
    endif()
    if(NOT IS_ABSOLUTE "${${variable}}" OR NOT EXISTS "${${variable}}")
      message(FATAL_ERROR "${variable}: '${${variable}}' is not the full path of a file")
    endif()
  endforeach()
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  set(FLARVEX_SIGNING ON)
endif()
