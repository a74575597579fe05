// Build step: packs a linked program's headers (program_headers.h).
//   program_headers <program>
// Exit status 0 when the program is packed (or had no room to give), 1 with a message naming
// the file and what is wrong otherwise; the file is then unchanged.
#include "program_headers.h"

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: program_headers <program>\n");
        return 2;
    }
    FILE* in = fopen(argv[1], "rb");
    if (in == nullptr) {
        fprintf(stderr, "program_headers: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> program;
    uint8_t block[65536];
    for (size_t n; (n = fread(block, 1, sizeof block, in)) > 0;)
        program.insert(program.end(), block, block + n);
    fclose(in);
    PackResult result = PackProgramHeaders(program);
    if (!result.Ok) {
        fprintf(stderr, "program_headers: %s: %s\n", argv[1], result.Problem.c_str());
        return 1;
    }
    if (result.Saved == 0)
        return 0;
    FILE* out = fopen(argv[1], "wb");
    if (out == nullptr || fwrite(program.data(), 1, program.size(), out) != program.size() ||
        fclose(out) != 0) {
        fprintf(stderr, "program_headers: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
