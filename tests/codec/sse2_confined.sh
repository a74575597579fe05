#!/bin/sh
# Checks the codec as built for setup.exe: no SSE or MMX register anywhere but in the decoders'
# SSE2 path, so that everything else runs on any i686, and SSE2 in that path, so that the check
# cannot pass by finding no path at all.
#
#   sse2_confined.sh objdump libpixel_stream.a
set -eu
"$1" -d --no-show-raw-insn "$2" | awk '
    /^[0-9a-f]+ <.*>:$/ { name = $2; next }
    /%x?mm[0-9]/ {
        if (name ~ /Sse2/) { sse2++; next }
        print "SSE or MMX outside the SSE2 path, in " name ":" $0
        outside++
    }
    END {
        if (sse2 == 0) { print "no SSE2 instruction in the SSE2 path"; exit 1 }
        if (outside > 0) exit 1
        print sse2 " SSE2 instructions, all in the SSE2 path"
    }'
