// A file's bytes, read with the C library alone so that Windows tests read them as host tests do.
#include "file_bytes.h"
#include <stdio.h>

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    if (FILE* file = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, count);
        fclose(file);
    }
    return bytes;
}

std::vector<uint8_t> ReadFileVector(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
