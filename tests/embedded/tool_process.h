// Runs picture_tool as another process, as the build and people run it, with a bounded wait.
#pragma once
#include <string>
#include <vector>

struct ToolRun {
    int ExitStatus = -1; // -1 when it did not exit normally
    std::string Output;
    std::string Errors;
};

// Runs the picture tool with arguments, waiting at most 30 seconds; a tool that runs longer
// is killed and reported as a test failure.
ToolRun RunPictureTool(const std::vector<std::string>& arguments);

// A fresh empty folder, removed with everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(const std::string& name) const {
        return path_ + "/" + name;
    }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

  private:
    std::string path_;
};
