// File access for the picture tool.
#include "picture_tool_files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0) {
        error = std::string("cannot open it: ") + strerror(errno);
        return false;
    }
    struct stat status;
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = "not a regular file";
        close(file);
        return false;
    }
    bytes.clear();
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = read(file, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::string("cannot read it: ") + strerror(errno);
            close(file);
            return false;
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    close(file);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes,
                    std::string& error) {
    std::string temporary = path + ".partial-XXXXXX";
    const int file = mkstemp(&temporary[0]);
    if (file < 0) {
        error = std::string("cannot create a file beside it: ") + strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0) {
            error = std::string("cannot write it: ") + strerror(errno);
            close(file);
            unlink(temporary.c_str());
            return false;
        }
        done += size_t(wrote);
    }
    // mkstemp makes the file private; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(file, 0666 & ~mask);
    if (close(file) != 0) {
        error = std::string("cannot write it: ") + strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::string("cannot put it in place: ") + strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
