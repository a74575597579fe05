// Making, filling, listing and removing a test's scratch folder.
#include "scratch_folder.h"

#include "file_bytes.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, FTW*) {
    remove(path);
    return 0;
}

} // namespace

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/flarvex_test_XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        // Without a folder every path would point at the root; no test can go on.
        perror("cannot make a scratch folder under /tmp");
        abort();
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    // Depth first, so that each folder is empty by the time it is removed; links are removed,
    // never followed.
    nftw(path_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    if (!WriteFileBytes(Path(name), bytes))
        ADD_FAILURE() << "cannot create " << Path(name) << ": " << strerror(errno);
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    if (DIR* folder = opendir(path_.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    return names;
}
