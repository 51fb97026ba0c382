#include "e2e/WinUnixCommand.h"

#include "e2e/WinTestPrefix.h"
#include "sim/SimScratchFolder.h"

#include <windows.h>

#include <fstream>
#include <thread>

namespace {

std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::optional<int> readStatus(const std::filesystem::path& file)
{
    std::ifstream in(file);
    int status = 0;
    if (in >> status)
        return status;
    return std::nullopt;
}

} // namespace

std::optional<int> runUnixCommand(const std::string& command, std::chrono::milliseconds timeout)
{
    const SimScratchFolder folder;
    const std::string folderUnixPath = WinTestPrefix::unixPathOf(folder.path().wstring());
    if (folderUnixPath.empty())
        return std::nullopt;
    // Written aside and renamed, so the poll never reads half a number.
    const std::string status = folderUnixPath + "/status";
    std::wstring line = L"Z:\\bin\\sh -c \"" + wide(command) + L"; echo $? > " + wide(status) + L".part && mv " +
                        wide(status) + L".part " + wide(status) + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return std::nullopt;
    if (started.hProcess)
        CloseHandle(started.hProcess);
    if (started.hThread)
        CloseHandle(started.hThread);

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto result = readStatus(folder.path() / "status"))
            return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}
