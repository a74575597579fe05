// Whole-file reads and all-or-nothing writes.
#include "whole_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t NewFileMode = 0666; // before the umask, as for any new file
constexpr mode_t PermissionBits = 07777;

std::string Because(const char* what) {
    return std::string(what) + ": " + strerror(errno);
}

// mkstemp makes its file private; the file that takes the target's place gets the old file's
// permissions (a program stays runnable), or those of a new file.
mode_t ModeFor(const std::string& path) {
    struct stat old;
    if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & PermissionBits;
    const mode_t mask = umask(0);
    umask(mask);
    return NewFileMode & ~mask;
}

bool WriteAll(int file, const std::vector<uint8_t>& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote == 0)
            errno = ENOSPC; // nothing written of a regular file: no room for it
        if (wrote <= 0)
            return false;
        done += size_t(wrote);
    }
    return true;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0) {
        error = Because("cannot open it");
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
            error = Because("cannot read it");
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
        error = Because("cannot create a temporary file beside it");
        return false;
    }
    // The new file reaches the disk before it takes the old one's name, so that a crash after
    // the rename cannot leave the name on an empty or partial file.
    bool written = fchmod(file, ModeFor(path)) == 0 && WriteAll(file, bytes) && fsync(file) == 0;
    if (!written)
        error = Because("cannot write it");
    if (close(file) != 0 && written) {
        error = Because("cannot write it");
        written = false;
    }
    if (written && rename(temporary.c_str(), path.c_str()) != 0) {
        error = Because("cannot put it in place");
        written = false;
    }
    if (!written)
        unlink(temporary.c_str());
    return written;
}
