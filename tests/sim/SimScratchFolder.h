#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include <process.h>

// A fresh folder under the temporary directory for one test's files, removed with everything in it.
class SimScratchFolder {
public:
    SimScratchFolder()
    {
        static std::atomic<int> made{0};
        folder = std::filesystem::temp_directory_path() /
                 ("vantrel-sim-" + std::to_string(_getpid()) + "-" + std::to_string(++made));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~SimScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    SimScratchFolder(const SimScratchFolder&) = delete;
    SimScratchFolder& operator=(const SimScratchFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }

private:
    std::filesystem::path folder;
};
