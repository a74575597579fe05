// A test's own folder for the files it makes.
#pragma once
#include <string>
#include <vector>

// A fresh empty folder under /tmp, removed with everything in it when the object goes. The test
// program stops with a message when no folder can be made.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of name inside the folder; name may be one that does not exist yet.
    std::string Path(const std::string& name) const {
        return path_ + "/" + name;
    }
    // Makes name in the folder hold exactly bytes; a failure fails the test.
    void Write(const std::string& name, const std::string& bytes) const;
    // The names in the folder (not in folders below it), sorted.
    std::vector<std::string> Names() const;

  private:
    std::string path_;
};
