#pragma once

#include "persistence/kelSerializable.h"

// The program's general switches, kept in "settings.vt" as three attributes
// of the root element. Plain data: its owner (VtSettingsManager) locks it.
class VtSettings : public kelSerializable {
public:
    // Reading takes every switch it finds and can read and leaves the others
    // as they were, so a damaged file still loads what it holds.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    // Run the per-application actions while applications are in front.
    bool enableOnAppsActions = false;
    // Keep the global hotkeys registered.
    bool enableGlobalHotkeys = false;
    // A left click on the tray icon opens the profile menu.
    bool switchProfilesUsingMlcOnTrayIcon = false;
};
