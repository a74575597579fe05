// Whole-file reads and writes for the picture tool. A write goes to a temporary file beside
// the target and is renamed over it only when complete, so no half-written file is ever left.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

// Reads path into bytes; on failure sets error to what went wrong (without the path).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Writes bytes to path all or nothing; on failure sets error (without the path).
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
