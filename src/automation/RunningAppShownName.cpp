#include "automation/RunningAppShownName.h"

#include "automation/ProgramPathText.h"
#include "automation/WindowApi.h"

#include <algorithm>
#include <tuple>

namespace {

struct WindowRank {
    WindowHandle window;
    bool hasParent;
    bool invisible;
};

// Each window is asked once: a window may change while the name is made, and
// the sort must see one answer per window.
std::vector<WindowRank> rankedWindows(const std::vector<WindowHandle>& windows, WindowApi& windowApi)
{
    std::vector<WindowRank> ranks;
    ranks.reserve(windows.size());
    for (const WindowHandle window : windows)
        ranks.push_back({window, windowApi.hasParent(window), !windowApi.isVisible(window)});
    std::ranges::stable_sort(ranks, [](const WindowRank& left, const WindowRank& right) {
        return std::tie(left.hasParent, left.invisible) < std::tie(right.hasParent, right.invisible);
    });
    return ranks;
}

std::wstring mainWindowTitle(const std::vector<WindowHandle>& windows, WindowApi& windowApi)
{
    for (const WindowRank& rank : rankedWindows(windows, windowApi)) {
        if (rank.hasParent)
            break;
        std::wstring title = windowApi.title(rank.window);
        if (!title.empty())
            return title;
    }
    return {};
}

} // namespace

std::wstring runningAppShownName(const std::vector<WindowHandle>& windows, WindowApi& windowApi,
                                 const std::wstring& programPath)
{
    const std::wstring fileName = ProgramPathText::fileName(programPath);
    const std::wstring title = mainWindowTitle(windows, windowApi);
    return title.empty() ? fileName : title + L" (" + fileName + L")";
}
