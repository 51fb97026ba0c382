#include "system/kelWinVersionResource.h"

#include "system/kelWinRunningExecutable.h"

#include <windows.h>

#include <cstring>

std::pair<const unsigned char*, std::size_t> kelWinVersionResource::query(const std::wstring& queryPath,
                                                                          std::size_t unitSize) const
{
    void* found = nullptr;
    UINT units = 0;
    // VerQueryValueW may write into the block it reads, hence the cast.
    void* data = const_cast<unsigned char*>(block.data());
    if (block.empty() || !VerQueryValueW(data, queryPath.c_str(), &found, &units) || found == nullptr)
        return {nullptr, 0};
    const auto* begin = static_cast<const unsigned char*>(found);
    const unsigned char* end = block.data() + block.size();
    if (begin < block.data() || begin >= end)
        return {nullptr, 0};
    const std::size_t available = static_cast<std::size_t>(end - begin) / unitSize;
    return {begin, units < available ? units : available};
}

std::optional<kelFixedFileVersions> kelWinVersionResource::fixedVersions() const
{
    const auto [bytes, size] = query(L"\\", 1);
    VS_FIXEDFILEINFO info{};
    if (size < sizeof(info))
        return std::nullopt;
    std::memcpy(&info, bytes, sizeof(info));
    if (info.dwSignature != 0xFEEF04BD)
        return std::nullopt;
    const auto numbers = [](DWORD high, DWORD low) {
        return std::array<std::uint16_t, 4>{HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low)};
    };
    kelFixedFileVersions versions;
    versions.file = numbers(info.dwFileVersionMS, info.dwFileVersionLS);
    versions.product = numbers(info.dwProductVersionMS, info.dwProductVersionLS);
    return versions;
}

std::vector<kelVersionTranslation> kelWinVersionResource::translations() const
{
    const auto [bytes, size] = query(L"\\VarFileInfo\\Translation", 1);
    std::vector<kelVersionTranslation> result;
    for (std::size_t offset = 0; offset + 4 <= size; offset += 4) {
        WORD pair[2] = {};
        std::memcpy(pair, bytes + offset, sizeof(pair));
        result.push_back({pair[0], pair[1]});
    }
    return result;
}

std::optional<std::wstring> kelWinVersionResource::text(const std::wstring& queryPath) const
{
    const auto [bytes, characters] = query(queryPath, sizeof(wchar_t));
    if (!bytes)
        return std::nullopt;
    std::wstring value(characters, L'\0');
    std::memcpy(value.data(), bytes, characters * sizeof(wchar_t));
    const std::size_t end = value.find(L'\0');
    if (end != std::wstring::npos)
        value.resize(end);
    return value;
}

std::unique_ptr<kelVersionResource> kelWinVersionResourceReader::open(const std::wstring& path) const
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return nullptr;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return nullptr;
    return std::make_unique<kelWinVersionResource>(std::move(block));
}

std::wstring kelWinVersionResourceReader::runningExecutablePath() const
{
    return kelRunningExecutablePath();
}
