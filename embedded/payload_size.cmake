# Writes the header that gives the payload's size to the code:
#   cmake -DPAYLOAD=<file> -DHEADER=<output> -P payload_size.cmake
file(SIZE "${PAYLOAD}" size)
file(CONFIGURE OUTPUT "${HEADER}" CONTENT
"// Made by the build from ${PAYLOAD}; do not edit.
#pragma once
#include <stdint.h>
constexpr uint32_t PayloadSize = ${size};
" @ONLY)
