#pragma once

#include "automation/WindowApi.h"
#include "automation/WindowEnumerator.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Windows the tests make up: a handle is a small number.
inline WindowHandle fakeWindow(std::uintptr_t number)
{
    return reinterpret_cast<WindowHandle>(number);
}

struct FakeWindow {
    std::uint32_t processId = 0;
    std::wstring title;
    bool visible = true;
    bool hasParent = false;
};

// Top-level windows listed in the order they were added, with their facts;
// counts how often titles are asked for. The windows are added before any
// other thread asks about them.
class FakeWindowApi : public WindowApi, public WindowEnumerator {
public:
    WindowHandle add(FakeWindow window)
    {
        const WindowHandle handle = fakeWindow(windows.size() + 1);
        windows[handle] = std::move(window);
        order.push_back(handle);
        return handle;
    }

    std::vector<WindowHandle> enumerate() override { return order; }

    WindowHandle foregroundWindow() override { return inFront; }
    std::uint32_t processIdOf(WindowHandle window) override { return window ? windows.at(window).processId : 0; }
    bool hasParent(WindowHandle window) override { return windows.at(window).hasParent; }
    bool isVisible(WindowHandle window) override { return windows.at(window).visible; }
    std::wstring title(WindowHandle window) override
    {
        ++titlesRead;
        return windows.at(window).title;
    }

    // Set by the test while a tracker's thread reads it.
    std::atomic<WindowHandle> inFront{nullptr};
    std::atomic<int> titlesRead{0};

private:
    std::map<WindowHandle, FakeWindow> windows;
    std::vector<WindowHandle> order;
};
