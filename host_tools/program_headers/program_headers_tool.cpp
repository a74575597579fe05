// Build step: packs a linked program's headers (program_headers.h).
//   program_headers <program>
// Exit status 0 when the program is packed (or had no room to give), 1 with a message naming
// the file and what is wrong otherwise; the file is then unchanged, even when writing it
// failed half way.
#include "program_headers.h"
#include "whole_file.h"

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: program_headers <program>\n");
        return 2;
    }
    std::vector<uint8_t> program;
    std::string error;
    if (!ReadWholeFile(argv[1], program, error)) {
        fprintf(stderr, "program_headers: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    PackResult result = PackProgramHeaders(program);
    if (!result.Ok) {
        fprintf(stderr, "program_headers: %s: %s\n", argv[1], result.Problem.c_str());
        return 1;
    }
    if (result.Saved != 0 && !WriteWholeFile(argv[1], program, error)) {
        fprintf(stderr, "program_headers: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
