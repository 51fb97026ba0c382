#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

// A fresh folder under the temporary directory for one test's files, removed
// with everything in it. Its name holds the process id and a count, so two
// test runs at once (two builds, a test started twice) never share a file,
// and one run's folders never meet each other.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "vantrel-test")
    {
        static std::atomic<int> made{0};
        folder = std::filesystem::temp_directory_path() /
                 (prefix + "-" + std::to_string(processId()) + "-" + std::to_string(++made));
        // What a crashed run of a process with the same id left behind.
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }
    std::filesystem::path file(const std::string& name) const { return folder / name; }

private:
    static long processId()
    {
#ifdef _WIN32
        return _getpid();
#else
        return static_cast<long>(getpid());
#endif
    }

    std::filesystem::path folder;
};
