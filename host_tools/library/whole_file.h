// Whole-file reads and all-or-nothing writes for the host tools. A write goes to a new file
// beside the target, reaches the disk, and only then is renamed over the target: the target is
// either the whole new file or, after any failure, the old file as it was, with nothing left
// beside it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

// Reads the regular file at path into bytes; on failure sets error to what went wrong
// (without the path).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Makes path hold exactly bytes, all or nothing. A file it replaces keeps its permissions; a
// new file gets those of any new file. On failure sets error (without the path).
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
