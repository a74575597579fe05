// Names for code addresses, read from a program file's section table and COFF symbol table,
// for the back trace of a program built with debugging information. Portable: it works on the
// file's bytes and checks every offset it follows against their size, so a damaged file gives
// no names rather than a fault.
//
// The parts of the file it reads:
//   0x3C                    offset of the "PE\0\0" signature
//   signature + 4           file header: section count (+2), symbol table offset (+8),
//                           symbol count (+12), optional header size (+16)
//   after the optional hdr  section table, 40 bytes a section: name (8 bytes, or "/n" for
//                           offset n in the string table), virtual size (+8), address (+12)
//   symbol table            18 bytes a record: name (8 bytes, or 0 and a string table offset),
//                           value (+8, from the section start), section number (+12, from 1),
//                           type (+14, 0x20 for a function), aux record count (+17)
//   string table            right after the symbols: its size (4 bytes), then the strings
#pragma once
#include <stdint.h>

struct ImageView {
    const uint8_t* Bytes;
    uint32_t Size;
};

// Whether the file has a symbol table and a debugging section (".debug..." or ".stab...").
bool HasDebuggingSymbols(ImageView image);

// Finds the function whose code holds rva (an address less the image's base): the function
// symbol of the section holding rva with the highest start at or below it. Copies its name,
// less the leading underscore of the i386 naming, into name (NUL-terminated, cut to fit
// capacity, which is at least 1) and returns rva's distance from the function's start; -1,
// with name empty, when no function holds it.
int32_t FindFunctionSymbol(ImageView image, uint32_t rva, char* name, uint32_t capacity);
