#pragma once

#include "automation/IconDatabase.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <string>

class RunningAppInfo;

// An application the per-application rules name: its program file, a name
// to show and an icon. An application record has no lock of its own: it is
// filled before it is added to its database and changed afterwards only
// under the database's lock; its icon operations guard themselves.
class AppInfo : public kelSerializable {
public:
    // Takes the running application's program path and makes the name shown.
    virtual void setFromRunningApp(const RunningAppInfo& app) = 0;
    // Whether the running application is this application's program.
    virtual bool matchesRunningApp(const RunningAppInfo& app) const = 0;
    virtual std::wstring uiName() const = 0;
    // The icon at that size, owned by the record or its icon database; null
    // when the program has none.
    virtual IconHandle icon(int width, int height) = 0;
    virtual std::wstring binaryPath() const = 0;
    // The id of its icon in the icon database; 0 while it has none there.
    virtual std::uint32_t iconId() const = 0;
    // Deletes its icon from the icon database, if it has one there, when the
    // application itself is forgotten.
    virtual void dropStoredIcon() = 0;

    // Two records are one application when their program paths name the same file.
    bool sameIdentity(const AppInfo& other) const;
};
