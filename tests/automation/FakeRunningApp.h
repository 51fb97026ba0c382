#pragma once

#include "automation/RunningAppInfo.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A running application with a process id and a program path, nothing more.
class FakeRunningApp : public RunningAppInfo {
public:
    FakeRunningApp(std::uint32_t processId, std::wstring programPath)
        : id(processId), path(std::move(programPath))
    {
    }

    std::wstring displayName() const override { return path; }
    std::uint32_t processId() const override { return id; }
    std::wstring programPath() const override { return path; }
    std::vector<WindowHandle> windows() const override { return {}; }
    std::wstring commandLine() const override { return L"\"" + path + L"\""; }

private:
    std::uint32_t id;
    std::wstring path;
};
