#pragma once

#include "system/kelAppAutorunBase.h"
#include "system/kelWinRegistryKey.h"

#include <string>

// Start with Windows through a value of the user's Run key: the value's
// name is the program's, its data the command that starts it.
class kelWinAppAutorun : public kelAppAutorunBase {
public:
    static constexpr wchar_t runKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    // Opens the key now; keyPath names another key under HKEY_CURRENT_USER
    // in tests only.
    kelWinAppAutorun(std::wstring name, std::wstring command, const std::wstring& keyPath = runKeyPath);

    // True when a value of this name exists, whatever command it holds.
    bool isEnabled() override;
    // On writes the command (an empty command is refused), so a value left
    // by an installation that has moved is repaired; off deletes the value.
    bool setEnabled(bool enabled) override;

private:
    std::wstring name;
    std::wstring command;
    kelWinRegistryKey key;
};
