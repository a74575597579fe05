// Packing a linked Windows program's headers into its first file-alignment step. Portable.
//
// The linker writes a 64-byte DOS header, a 64-byte DOS program that says the file cannot run
// under DOS, then the PE headers and the section table. With five sections these end just
// past 512 bytes, so the headers take two 512-byte steps of the file where one would do
// without the DOS program. PackProgramHeaders moves the PE headers up to offset 64, puts a
// shorter DOS program ("Needs Windows.") into the DOS header's reserved bytes, and moves every
// section's data up by the step saved. The program loads and runs exactly as before.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct PackResult {
    bool Ok;        // false: the file is unchanged, and Problem says why
    uint32_t Saved; // bytes the file became shorter (0 when the headers had no room to give)
    std::string Problem;
};

// Packs program in place. Refuses what it cannot pack safely: a file that is not a 32-bit PE
// program, one with a symbol table, a certificate or a debug directory (whose file offsets it
// would have to move), or one whose section data does not follow the headers in order.
PackResult PackProgramHeaders(std::vector<uint8_t>& program);

// The PE checksum of a file whose checksum field is at checksumOffset: the 16-bit one's
// complement sum of the file, the field counted as 0, plus the file's length.
uint32_t ProgramChecksum(const std::vector<uint8_t>& program, uint32_t checksumOffset);
