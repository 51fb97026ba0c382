#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// Owns one open registry key and closes it when destroyed.
class kelWinRegistryKey {
public:
    // Opens an existing key; the owner holds no key when that fails.
    kelWinRegistryKey(HKEY root, const std::wstring& subKey, REGSAM access);
    ~kelWinRegistryKey();
    kelWinRegistryKey(const kelWinRegistryKey&) = delete;
    kelWinRegistryKey& operator=(const kelWinRegistryKey&) = delete;

    bool isOpen() const { return key != nullptr; }
    bool hasValue(const std::wstring& name) const;
    // A text value (REG_SZ or REG_EXPAND_SZ, not expanded) of at most
    // maxLength characters; empty when missing, of another type, or longer.
    std::optional<std::wstring> readText(const std::wstring& name, std::size_t maxLength) const;
    // Writes a REG_SZ value whose size counts its terminating zero.
    bool writeText(const std::wstring& name, const std::wstring& text);
    // True also when there was no such value: either way it is gone.
    bool deleteValue(const std::wstring& name);

private:
    HKEY key = nullptr;
};
