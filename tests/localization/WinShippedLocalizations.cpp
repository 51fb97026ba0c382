#include "localization/ShippedLocalizations.h"

#include <windows.h>

std::wstring shippedLocalizationsFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + L"Localizations";
}
