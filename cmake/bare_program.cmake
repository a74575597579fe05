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

# flarvex_bare_link(target entry): links target as a GUI program entered at entry, with the
# runtime's memory procedures and nothing else of a C or C++ runtime, importing from kernel32,
# user32 and gdi32, and keeping only the sections that something uses. Both kinds of bare
# program (below, and the shipped ones in shipped_program.cmake) are linked by it.
function(flarvex_bare_link target entry)
  target_link_options(${target} PRIVATE
    -nostdlib -nostartfiles -Wl,-e,_${entry} -Wl,--subsystem,windows -Wl,--gc-sections)
  # The linker's map (<target>.map beside the target's objects) says which object put what
  # into each section; tools/size-report reads it.
  target_link_options(${target} PRIVATE -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  # As objects, for the reason runtime/CMakeLists.txt gives.
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:runtime_memory>)
  target_link_libraries(${target} PRIVATE kernel32 user32 gdi32)
endfunction()

# flarvex_bare_program(target ENTRY symbol [SYMBOLS]): links target, a test program on the
# bare runtime, as a GUI program entered at symbol, stripped unless SYMBOLS asks for its own
# code's debugging information and symbols. Unlike a shipped program it is not optimised
# whole at its link: it keeps every procedure the compiler made, as its tests expect (back
# traces name them).
function(flarvex_bare_program target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "SYMBOLS" "ENTRY" "")
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${FLARVEX_BARE_COMPILE_OPTIONS}>)
  if(ARG_SYMBOLS)
    target_compile_options(${target} PRIVATE -g)
  else()
    target_link_options(${target} PRIVATE -s)
  endif()
  target_link_options(${target} PRIVATE -fno-lto)
  flarvex_bare_link(${target} ${ARG_ENTRY})
endfunction()

# Windows test programs carry their runtime with them, so Wine needs no extra DLLs.
function(flarvex_windows_test target)
  target_link_libraries(${target} PRIVATE gtest gtest_main)
  target_link_options(${target} PRIVATE -static -fno-lto)
  add_test(NAME ${target} COMMAND ${target})
endfunction()
