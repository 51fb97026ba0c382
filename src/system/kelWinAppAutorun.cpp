#include "system/kelWinAppAutorun.h"

#include <utility>

kelWinAppAutorun::kelWinAppAutorun(std::wstring name, std::wstring command, const std::wstring& keyPath)
    : name(std::move(name)), command(std::move(command)),
      key(HKEY_CURRENT_USER, keyPath, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE)
{
}

bool kelWinAppAutorun::isEnabled()
{
    return key.hasValue(name);
}

bool kelWinAppAutorun::setEnabled(bool enabled)
{
    if (!enabled)
        return key.deleteValue(name);
    return !command.empty() && key.writeText(name, command);
}
