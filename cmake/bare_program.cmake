# Programs without a C or C++ runtime: their own entry point, no exceptions, no RTTI, no heap,
# optimised for size, importing only what their code calls from kernel32, user32 and gdi32.

# Compile options for every object that goes into a bare program. Objects carry both machine
# code and the compiler's own form, so that the programs that ship can be optimised whole when
# they are linked, and the test programs linked as they are.
set(FLARVEX_BARE_COMPILE_OPTIONS
  -Oz -mpreferred-stack-boundary=2 -malign-data=abi -flto -ffat-lto-objects -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-threadsafe-statics -fno-stack-protector -fno-ident
  # Arguments pushed rather than stored into room kept below the frame, which is what GCC does
  # for Windows by default so that it can probe the stack of a large frame page by page. No
  # frame of these programs is larger than a page (the compiler refuses one), so none needs a
  # probe: the system's guard page below the stack is reached in order and the stack grows.
  -mno-accumulate-outgoing-args -mno-stack-arg-probe -Werror=frame-larger-than=4096
  # Kept for back traces: every frame links to its caller's. (GCC still gives no frame to a
  # procedure that calls nothing and keeps nothing on the stack; a fault there shows the
  # procedure's own address, and its caller's caller as the next line.)
  -fno-omit-frame-pointer
  -ffunction-sections)

# libgcc (64-bit division, stack probes) goes last on every link line, after all archives.
string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -lgcc")

function(flarvex_bare_library target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${FLARVEX_BARE_COMPILE_OPTIONS}>)
endfunction()

# flarvex_bare_program(target ENTRY symbol [SHIPPED] [SYMBOLS]): links target as a GUI program
# entered at symbol, stripped unless SYMBOLS asks for its own code's debugging information and
# symbols. A SHIPPED program is optimised whole at its link, for size; the others keep every
# procedure the compiler made, as their tests expect (back traces name them).
function(flarvex_bare_program target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "SHIPPED;SYMBOLS" "ENTRY" "")
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${FLARVEX_BARE_COMPILE_OPTIONS}>)
  if(ARG_SYMBOLS)
    target_compile_options(${target} PRIVATE -g)
  else()
    target_link_options(${target} PRIVATE -s)
  endif()
  if(ARG_SHIPPED)
    # The linker's own section layout, which every tool that reads Windows programs knows: the
    # import tables in a section of their own, each library's lookup table beside its address
    # table. A script of our own could merge sections only by naming the linker's internal
    # import sections, which it places for us in no other way. Terminal Server aware: on a
    # Remote Desktop host the system then gives the real Windows directory, not a private copy.
    # The frame limit holds for the procedures that whole-program optimisation makes, too.
    target_link_options(${target} PRIVATE -flto -Oz -mpreferred-stack-boundary=2 -malign-data=abi
      -Werror=frame-larger-than=4096 -Wl,--tsaware)
    # Stripped, it has no symbols for a back trace to name code with: no code to read them.
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:runtime_unnamed_back_trace>)
    # Its headers packed into one step of the file when they fit there, as the last step of
    # its link (before any signing, which comes after it). With the linker's six sections
    # they do not, and the file stays as linked.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${FLARVEX_HOST_DIR}/host_tools/program_headers/program_headers
              $<TARGET_FILE:${target}>
      VERBATIM)
  else()
    target_link_options(${target} PRIVATE -fno-lto)
  endif()
  target_link_options(${target} PRIVATE
    -nostdlib -nostartfiles -Wl,-e,_${ARG_ENTRY} -Wl,--subsystem,windows -Wl,--gc-sections)
  # The linker's map (<target>.map beside the target's objects) says which object put what
  # into each section; tools/size-report reads it.
  target_link_options(${target} PRIVATE -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  target_link_libraries(${target} PRIVATE kernel32 user32 gdi32)
endfunction()

# Windows test programs carry their runtime with them, so Wine needs no extra DLLs.
function(flarvex_windows_test target)
  target_link_libraries(${target} PRIVATE gtest gtest_main)
  target_link_options(${target} PRIVATE -static -fno-lto)
  add_test(NAME ${target} COMMAND ${target})
endfunction()
