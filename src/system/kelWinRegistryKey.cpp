#include "system/kelWinRegistryKey.h"

#include <vector>

kelWinRegistryKey::kelWinRegistryKey(HKEY root, const std::wstring& subKey, REGSAM access)
{
    if (RegOpenKeyExW(root, subKey.c_str(), 0, access, &key) != ERROR_SUCCESS)
        key = nullptr;
}

kelWinRegistryKey::~kelWinRegistryKey()
{
    if (key)
        RegCloseKey(key);
}

bool kelWinRegistryKey::hasValue(const std::wstring& name) const
{
    return key && RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<std::wstring> kelWinRegistryKey::readText(const std::wstring& name, std::size_t maxLength) const
{
    if (!key)
        return std::nullopt;
    // One character more than allowed, so that a longer value shows as one.
    std::vector<wchar_t> buffer(maxLength + 2, L'\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    // The stored data need not end with a zero, nor end at one.
    std::wstring text(buffer.data(), size / sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    if (text.size() > maxLength)
        return std::nullopt;
    return text;
}

bool kelWinRegistryKey::writeText(const std::wstring& name, const std::wstring& text)
{
    if (!key)
        return false;
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size) ==
           ERROR_SUCCESS;
}

bool kelWinRegistryKey::deleteValue(const std::wstring& name)
{
    if (!key)
        return false;
    const LONG result = RegDeleteValueW(key, name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
