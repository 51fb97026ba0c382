#pragma once

#include "persistence/StoreTestSupport.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <thread>

// Two complete contents that a killed writer alternates between; large
// enough that a kill often lands in the middle of writing one.
inline std::wstring crashContent(int which)
{
    return std::wstring(60000, static_cast<wchar_t>(L'a' + which)) + L" end " + std::to_wstring(which);
}

// What the file holds before the first writer starts.
constexpr int initialCrashContent = 2;

constexpr const char* crashChildFileVariable = "VANTREL_STORE_CRASH_FILE";

// Left by a writer once it is about to save, so that kills land among saves
// rather than during the start of the process, however slow that is.
inline std::filesystem::path crashWriterReadyMarker(const std::filesystem::path& folder)
{
    return folder / "writer.ready";
}

inline bool waitForCrashWriter(const std::filesystem::path& folder)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    // Windows refuses the removal while the writer still has the marker open.
    std::error_code removal;
    while (!std::filesystem::remove(crashWriterReadyMarker(folder), removal)) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Saves the note in folder/name over and over, alternating both contents; never returns.
[[noreturn]] inline void runCrashWriter(const std::filesystem::path& folder, const std::wstring& name)
{
    kelComInitialize com;
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder);
    manager->registerObject(note, name);
    writeBytes(crashWriterReadyMarker(folder), "ready");
    for (int round = 0;; ++round) {
        note->change(crashContent(round % 2));
        manager->saveObject(note, false);
    }
}

// Writes the initial content that the killed writers start from.
inline bool prepareCrashFile(const std::filesystem::path& folder, const std::wstring& name)
{
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder);
    manager->registerObject(note, name);
    note->change(crashContent(initialCrashContent));
    return manager->saveAll(0);
}

// Counts what each load after a kill found; anything but one of the
// complete contents is a torn file.
struct CrashTally {
    std::map<int, int> seen;
    int torn = 0;

    void record(const std::wstring& loaded)
    {
        for (int which = 0; which <= initialCrashContent; ++which) {
            if (loaded == crashContent(which)) {
                ++seen[which];
                return;
            }
        }
        ++torn;
    }

    int rewritten() { return seen[0] + seen[1]; }
};
