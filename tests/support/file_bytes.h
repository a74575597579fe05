// A file's bytes read back whole or written whole, for tests of what programs write, of what
// the build made, and for planting files. Portable: both halves of the build use it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

// The whole content of the file at path (a host path, or a Windows path under Wine); empty
// when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The same bytes as unsigned values.
std::vector<uint8_t> ReadFileVector(const std::string& path);

// Makes the file at path hold exactly bytes; false when it cannot be written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
