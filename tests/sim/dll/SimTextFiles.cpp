#include "SimTextFiles.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::wstring simWiden(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string simNarrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::optional<std::string> readSimTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    if (text.starts_with(utf8ByteOrderMark))
        text.erase(0, utf8ByteOrderMark.size());
    return text;
}

bool replaceSimTextFile(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::path temporary = path;
    temporary += L".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out)
            return false;
    }
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool appendSimTextLine(const std::filesystem::path& path, std::string_view line)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << line << '\n';
    out.close();
    return static_cast<bool>(out);
}
