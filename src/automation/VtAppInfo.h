#pragma once

#include "automation/AppInfo.h"
#include "automation/ExtractedProgramIcon.h"
#include "support/kelOwnedMutex.h"

#include <cstdint>
#include <memory>
#include <string>

class IconDatabase;
class IconFiles;
class ProgramFiles;

// An application of the application database. Its icon is extracted from
// the program file on first need into a temporary .ico file, shown from
// there, and copied into the icon database when the record is first saved,
// so that it can still be shown once the program has moved or gone.
//
// The program path and the name are set before the record is shared (by
// setFromRunningApp or the load) and only read afterwards. The icon id and
// the extracted icon are guarded by iconMutex, since the settings page shows
// the icon on the UI thread while the autosave thread may be storing it;
// iconMutex is taken after the application database's lock and before the
// icon database's.
class VtAppInfo : public AppInfo {
public:
    VtAppInfo(std::shared_ptr<IconDatabase> iconDb, std::shared_ptr<ProgramFiles> programs,
              std::shared_ptr<IconFiles> iconFiles);

    // "icon_id", "binary_path" and "ui_name", each required when reading.
    // Writing first stores the icon in the icon database if it is not there
    // yet; a program without an icon, or a failed copy, is saved with id 0
    // and stored at a later save.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    void setFromRunningApp(const RunningAppInfo& app) override;
    bool matchesRunningApp(const RunningAppInfo& app) const override;
    std::wstring uiName() const override { return name; }
    IconHandle icon(int width, int height) override;
    std::wstring binaryPath() const override { return path; }
    std::uint32_t iconId() const override;
    void dropStoredIcon() override;

private:
    // The extracted icon, extracting it on the first call after the record
    // was made or last saved; null when the program has no usable icon.
    // Called with iconMutex held.
    ExtractedProgramIcon* extractedIcon();
    void storeIconIfMissing();

    const std::shared_ptr<IconDatabase> iconDb;
    const std::shared_ptr<ProgramFiles> programs;
    const std::shared_ptr<IconFiles> iconFiles;
    std::wstring path;
    std::wstring name;
    mutable kelOwnedMutex iconMutex;
    std::uint32_t storedIconId = 0;
    std::unique_ptr<ExtractedProgramIcon> extracted;
    bool extractionTried = false;
};
