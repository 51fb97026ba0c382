#include "profiles/VtSettingsManager.h"

bool VtSettingsManager::serialize(kelSerializationIoStream& io, unsigned flags)
{
    const auto held = autoLock();
    return settings.serialize(io, flags);
}

bool VtSettingsManager::isModified()
{
    if (kelSerializableTs::isModified())
        return true;
    const auto held = autoLock();
    return settings.isModified();
}

void VtSettingsManager::setModified(bool value)
{
    const auto held = autoLock();
    kelSerializableTs::setModified(value);
    if (!value)
        settings.setModified(false);
}

bool VtSettingsManager::enableOnAppsActions()
{
    return read(&VtSettings::enableOnAppsActions);
}

bool VtSettingsManager::enableGlobalHotkeys()
{
    return read(&VtSettings::enableGlobalHotkeys);
}

bool VtSettingsManager::switchProfilesUsingMlcOnTrayIcon()
{
    return read(&VtSettings::switchProfilesUsingMlcOnTrayIcon);
}

void VtSettingsManager::setEnableOnAppsActions(bool value)
{
    change(&VtSettings::enableOnAppsActions, value);
}

void VtSettingsManager::setEnableGlobalHotkeys(bool value)
{
    change(&VtSettings::enableGlobalHotkeys, value);
}

void VtSettingsManager::setSwitchProfilesUsingMlcOnTrayIcon(bool value)
{
    change(&VtSettings::switchProfilesUsingMlcOnTrayIcon, value);
}

bool VtSettingsManager::read(const bool VtSettings::*field)
{
    const auto held = autoLock();
    return settings.*field;
}

void VtSettingsManager::change(bool VtSettings::*field, bool value)
{
    auto held = autoLock();
    if (settings.*field != value) {
        settings.*field = value;
        settings.setModified(true);
    }
    const bool awaitsSave = settings.isModified();
    held->unlock();
    if (awaitsSave)
        raiseCode(Changed);
}
