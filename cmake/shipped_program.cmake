# The programs that ship (setup.exe and the screen saver it carries): what turns their sources
# into the files in the top build folder, step by step, in the order the steps run. Libraries
# they link may build a file at another level for a reason of their own (codec/CMakeLists.txt);
# the whole-program link keeps each function's level.

# flarvex_shipped_program(target FILE name ENTRY symbol MANIFEST file): makes target the
# shipped program <top build folder>/name, entered at symbol. The target's resource script
# takes the manifest file in as "<file's name without extension>.min.manifest".
function(flarvex_shipped_program target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "FILE;ENTRY;MANIFEST" "")
  foreach(argument FILE ENTRY MANIFEST)
    if(NOT ARG_${argument})
      message(FATAL_ERROR "flarvex_shipped_program(${target}): ${argument} is missing")
    endif()
  endforeach()

  # 1. The manifest, without the blanks and line ends that lay it out for reading.
  get_filename_component(manifest ${ARG_MANIFEST} ABSOLUTE)
  get_filename_component(manifest_name ${manifest} NAME_WLE)
  set(minified ${CMAKE_CURRENT_BINARY_DIR}/generated/${manifest_name}.min.manifest)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
  file(READ ${manifest} manifest_text)
  string(REGEX REPLACE ">[ \t\r\n]+" ">" manifest_text "${manifest_text}")
  string(REGEX REPLACE "[ \t\r\n]+" " " manifest_text "${manifest_text}")
  file(CONFIGURE OUTPUT ${minified} CONTENT "${manifest_text}" @ONLY)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
  # The resource compiler does not report the files a script takes in.
  get_target_property(scripts ${target} SOURCES)
  list(FILTER scripts INCLUDE REGEX "\\.rc$")
  set_property(SOURCE ${scripts} APPEND PROPERTY OBJECT_DEPENDS ${minified})

  # 2. Size: its own objects built as every bare object is, for size, and carrying the
  # compiler's own form as well; the whole program optimised once more, for size, when it is
  # linked. Stripped, so it has no symbols for a back trace to name code with, and no code to
  # read them. The limit on frames holds for the procedures that whole-program optimisation
  # makes, too. Terminal Server aware: on a Remote Desktop host the system then gives the real
  # Windows directory, not a private copy.
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${FLARVEX_BARE_COMPILE_OPTIONS}>)
  target_link_options(${target} PRIVATE -s -flto -Oz -mpreferred-stack-boundary=2
    -malign-data=abi -Werror=frame-larger-than=4096 -Wl,--tsaware)

  # 3. The link, as every bare program's, with the linker's own section layout, which every
  # tool that reads Windows programs knows: the import tables in a section of their own, each
  # library's lookup table beside its address table. A script of our own could merge sections
  # only by naming the linker's internal import sections, which it places for us in no other
  # way.
  flarvex_bare_link(${target} ${ARG_ENTRY})
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:runtime_unnamed_back_trace>)
  get_filename_component(file_name ${ARG_FILE} NAME_WLE)
  get_filename_component(file_extension ${ARG_FILE} LAST_EXT)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${file_name} SUFFIX ${file_extension}
    RUNTIME_OUTPUT_DIRECTORY ${FLARVEX_HOST_DIR})

  # 4. The headers packed into one step of the file when they fit there (with the linker's six
  # sections they do not, and the file stays as linked), then 5., when signing is set up, the
  # signature, which covers the packed bytes (the packer refuses a signed file). Both are the
  # last commands of every link, in this order, so whatever takes the file (setup.exe carrying
  # the screen saver) takes it finished. A new packer, certificate, key or way of signing
  # makes the program anew.
  set(packer ${FLARVEX_HOST_DIR}/host_tools/program_headers/program_headers)
  set(steps COMMAND ${packer} $<TARGET_FILE:${target}>)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${packer})
  if(FLARVEX_SIGNING)
    set(signer ${CMAKE_SOURCE_DIR}/cmake/sign_program.cmake)
    list(APPEND steps COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
      -DCERT=${FLARVEX_SIGNING_CERT} -DKEY=${FLARVEX_SIGNING_KEY} -DOSSLSIGNCODE=${OSSLSIGNCODE}
      -P ${signer})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
                 ${FLARVEX_SIGNING_CERT} ${FLARVEX_SIGNING_KEY} ${signer})
  endif()
  add_custom_command(TARGET ${target} POST_BUILD ${steps} VERBATIM)
endfunction()
