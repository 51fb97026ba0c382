#pragma once

#include "persistence/kelSerializable.h"
#include "profiles/VtSettings.h"
#include "support/kelRaisesVaEvents.h"

// The general settings behind a re-entrant lock, shared by the UI thread (the
// settings pages, the tray icon, VtObjectsSettingsManager) and the autosave
// thread that writes "settings.vt".
//
// A change raises the manager's event (code 0, no arguments) on the thread
// that made it, after the lock is released, so consumers may take the lock
// to read the switches again.
class VtSettingsManager : public kelSerializableTs, public kelRaisesVaEvents {
public:
    enum EventCode : unsigned { Changed = 0 };

    bool serialize(kelSerializationIoStream& io, unsigned flags) override;
    bool isModified() override;
    // Clearing clears the embedded settings too: a save pass that wrote them
    // must not find them modified again.
    void setModified(bool value) override;

    // Each reads one switch under the lock.
    bool enableOnAppsActions();
    bool enableGlobalHotkeys();
    bool switchProfilesUsingMlcOnTrayIcon();

    // Each stores one switch under the lock and raises Changed while the
    // settings await their next save, even if this call changed nothing.
    void setEnableOnAppsActions(bool value);
    void setEnableGlobalHotkeys(bool value);
    void setSwitchProfilesUsingMlcOnTrayIcon(bool value);

private:
    bool read(const bool VtSettings::*field);
    void change(bool VtSettings::*field, bool value);

    VtSettings settings;
};
