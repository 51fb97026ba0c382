#include "system/kelWinCommandLineLookup.h"

#include "system/kelCommandLine.h"

#include <windows.h>

#include <vector>

namespace {

// A platform call that fills a buffer and, when the buffer is too small,
// returns the size it needs; answers up to a command line's length are taken.
template <class Fill>
std::wstring filledText(Fill fill)
{
    std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD result = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0 || result > kelCommandLine::maxTextLength + 1)
            return {};
        if (result <= buffer.size())
            return std::wstring(buffer.data());
        buffer.assign(result, L'\0');
    }
    return {};
}

} // namespace

// The expansion is sized to its result: a long command line with a "%" in
// it (an address with %20, say) keeps all of its text.
std::wstring kelWinCommandLineLookup::expandEnvironment(const std::wstring& text) const
{
    const std::wstring expanded = filledText(
        [&](wchar_t* buffer, DWORD size) { return ExpandEnvironmentStringsW(text.c_str(), buffer, size); });
    return expanded.empty() ? text : expanded;
}

std::wstring kelWinCommandLineLookup::searchPath(const std::wstring& program) const
{
    return filledText([&](wchar_t* buffer, DWORD size) {
        return SearchPathW(nullptr, program.c_str(), L".exe", size, buffer, nullptr);
    });
}

bool kelWinCommandLineLookup::isFile(const std::wstring& path) const
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
