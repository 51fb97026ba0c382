#include "automation/WinProgramFiles.h"

#include "automation/IcoFileBuilder.h"
#include "persistence/kelPlatformFile.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

// A value of a version resource, checked to lie inside the resource's bytes.
std::optional<Bytes> versionValue(const std::vector<std::uint8_t>& resource, const wchar_t* query, UINT unitSize)
{
    void* value = nullptr;
    UINT units = 0;
    if (!VerQueryValueW(resource.data(), query, &value, &units) || !value)
        return std::nullopt;
    const auto* const first = static_cast<const std::uint8_t*>(value);
    const std::uint64_t size = std::uint64_t{units} * unitSize;
    if (first < resource.data() || first > resource.data() + resource.size() ||
        size > static_cast<std::uint64_t>(resource.data() + resource.size() - first))
        return std::nullopt;
    return Bytes(first, static_cast<std::size_t>(size));
}

std::wstring textOf(Bytes characters)
{
    std::wstring text(characters.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), characters.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

// A program file loaded for reading its resources only; no code of it runs.
class DataFileModule {
public:
    explicit DataFileModule(const std::wstring& path)
        : module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~DataFileModule()
    {
        if (module)
            FreeLibrary(module);
    }
    DataFileModule(const DataFileModule&) = delete;
    DataFileModule& operator=(const DataFileModule&) = delete;

    HMODULE get() const { return module; }

private:
    HMODULE module;
};

constexpr DWORD readableProtection = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                     PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Whether every byte of the range lies in committed, readable memory: the
// sizes in a program's resource directory are the program's to choose, and
// the loader does not hold them to the file it mapped.
bool isReadable(const void* start, std::size_t size)
{
    std::uintptr_t at = reinterpret_cast<std::uintptr_t>(start);
    std::uintptr_t end = 0;
    if (__builtin_add_overflow(at, size, &end))
        return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(reinterpret_cast<LPCVOID>(at), &region, sizeof region) == 0 || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 || (region.Protect & readableProtection) == 0)
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

std::optional<Bytes> resourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    const HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return std::nullopt;
    const DWORD size = SizeofResource(module, found);
    const HGLOBAL loaded = LoadResource(module, found);
    const void* const bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || !isReadable(bytes, size))
        return std::nullopt;
    return Bytes(static_cast<const std::uint8_t*>(bytes), size);
}

// The name of the first icon group the resource enumeration returns: a
// number or a text.
struct ResourceName {
    bool found = false;
    WORD id = 0;
    std::wstring text;

    LPCWSTR get() const { return text.empty() ? MAKEINTRESOURCEW(id) : text.c_str(); }
};

BOOL CALLBACK takeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first)
{
    auto& resource = *reinterpret_cast<ResourceName*>(first);
    resource.found = true;
    if (IS_INTRESOURCE(name))
        resource.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        resource.text = name;
    return FALSE;
}

std::optional<std::string> icoFileOf(const std::wstring& programPath)
{
    const DataFileModule program(programPath);
    if (!program.get())
        return std::nullopt;
    ResourceName group;
    EnumResourceNamesW(program.get(), RT_GROUP_ICON, takeFirstName, reinterpret_cast<LONG_PTR>(&group));
    if (!group.found)
        return std::nullopt;
    const auto groupBytes = resourceBytes(program.get(), group.get(), RT_GROUP_ICON);
    if (!groupBytes)
        return std::nullopt;
    return IcoFileBuilder::build(*groupBytes, [&program](std::uint16_t id) {
        return resourceBytes(program.get(), MAKEINTRESOURCEW(id), RT_ICON);
    });
}

// A new temporary file, which reserves the name, and beside it the name of
// the .ico file: the same with the extension "ico".
std::optional<ExtractedIconFiles> temporaryIcoFile()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    wchar_t reserved[MAX_PATH] = {};
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"tmp", 0, reserved) == 0)
        return std::nullopt;
    const std::wstring reservedPath = reserved;
    return ExtractedIconFiles{reservedPath.substr(0, reservedPath.find_last_of(L'.')) + L".ico", reservedPath};
}

} // namespace

std::wstring WinProgramFiles::productName(const std::wstring& programPath)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(programPath.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> resource(size);
    if (!GetFileVersionInfoW(programPath.c_str(), 0, size, resource.data()))
        return {};
    const auto translation = versionValue(resource, L"\\VarFileInfo\\Translation", 1);
    if (!translation || translation->size() < 2 * sizeof(WORD))
        return {};
    const WORD language = static_cast<WORD>((*translation)[0] | ((*translation)[1] << 8));
    const WORD codePage = static_cast<WORD>((*translation)[2] | ((*translation)[3] << 8));
    wchar_t query[64] = {};
    std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04x%04x\\ProductName", language, codePage);
    const auto product = versionValue(resource, query, sizeof(wchar_t));
    return product ? textOf(*product) : std::wstring();
}

std::optional<ExtractedIconFiles> WinProgramFiles::extractIcon(const std::wstring& programPath)
{
    auto files = temporaryIcoFile();
    if (!files)
        return std::nullopt;
    const auto icoFile = icoFileOf(programPath);
    if (icoFile && kelPlatformFile::writeDurably(files->icoPath, *icoFile))
        return files;
    DeleteFileW(files->icoPath.c_str());
    DeleteFileW(files->reservedPath.c_str());
    return std::nullopt;
}

std::shared_ptr<ProgramFiles> ProgramFiles::real()
{
    return std::make_shared<WinProgramFiles>();
}
