// Reading a file back whole, for tests of what programs write and of what the build made.
// Portable: both halves of the build use it.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// The whole content of the file at path (a host path, or a Windows path under Wine); empty
// when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The same bytes as unsigned values.
std::vector<uint8_t> ReadFileVector(const std::string& path);
