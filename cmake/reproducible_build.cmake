# The Windows part's output depends on the sources alone: two builds of one commit, in any
# folders and at any time, give the same setup.exe and Flarvex.scr, byte for byte.

# No link time in the programs' headers (the time stamp is 0, and the checksum then follows
# from the bytes alone).
add_link_options(-Wl,--no-insert-timestamp)

# File names that reach an object (__FILE__, debugging information) are relative: the source
# folder becomes ".", the top build folder "build". GCC takes the last map that matches, and
# the build folder usually lies inside the source folder, so it comes second.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX,ASM>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
  "$<$<COMPILE_LANGUAGE:C,CXX,ASM>:-ffile-prefix-map=${FLARVEX_HOST_DIR}=build>")

# Archives without dates, owners or modes, whatever the default of the binutils at hand.
foreach(language C CXX ASM)
  set(CMAKE_${language}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${language}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${language}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()
