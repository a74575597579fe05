# Optional code signing of the programs that ship. With FLARVEX_SIGNING_CERT (a PEM
# certificate) and FLARVEX_SIGNING_KEY (its PEM private key) set, every program named by
# flarvex_signed_program is signed with osslsigncode right after it is linked, in the same
# build step, so that whatever uses the file (setup.exe carrying Flarvex.scr) sees it signed.
# Without them nothing is signed and the build is as before.
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

# flarvex_signed_program(target): signs target's file after every link when signing is set up.
function(flarvex_signed_program target)
  if(NOT FLARVEX_SIGNING)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
            -DCERT=${FLARVEX_SIGNING_CERT} -DKEY=${FLARVEX_SIGNING_KEY}
            -DOSSLSIGNCODE=${OSSLSIGNCODE}
            -P ${CMAKE_SOURCE_DIR}/cmake/sign_program.cmake
    VERBATIM)
  # A new certificate or key signs the program anew.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
               ${FLARVEX_SIGNING_CERT} ${FLARVEX_SIGNING_KEY})
endfunction()
