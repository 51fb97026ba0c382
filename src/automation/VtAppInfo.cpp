#include "automation/VtAppInfo.h"

#include "automation/IconDatabase.h"
#include "automation/ProgramFiles.h"
#include "automation/ProgramPathText.h"
#include "automation/RunningAppInfo.h"
#include "persistence/kelSerializationIoStream.h"

#include <mutex>
#include <utility>

VtAppInfo::VtAppInfo(std::shared_ptr<IconDatabase> iconDb, std::shared_ptr<ProgramFiles> programs,
                     std::shared_ptr<IconFiles> iconFiles)
    : iconDb(std::move(iconDb)), programs(std::move(programs)), iconFiles(std::move(iconFiles))
{
}

bool VtAppInfo::serialize(kelSerializationIoStream& io, unsigned)
{
    std::uint32_t id = 0;
    if (!io.isReading()) {
        storeIconIfMissing();
        id = iconId();
    }
    if (!io.serializeValue(L"icon_id", id, true) || !io.serializeValue(L"binary_path", path, true) ||
        !io.serializeValue(L"ui_name", name, true))
        return false;
    if (io.isReading()) {
        const std::lock_guard lock(iconMutex);
        storedIconId = id;
    }
    return true;
}

void VtAppInfo::setFromRunningApp(const RunningAppInfo& app)
{
    path = app.programPath();
    const std::wstring fileName = ProgramPathText::fileName(path);
    const std::wstring product = programs->productName(path);
    name = product.empty() ? fileName : product + L" (" + fileName + L")";
}

bool VtAppInfo::matchesRunningApp(const RunningAppInfo& app) const
{
    return ProgramPathText::samePath(path, app.programPath());
}

IconHandle VtAppInfo::icon(int width, int height)
{
    const std::lock_guard lock(iconMutex);
    if (storedIconId != 0)
        return iconDb->iconFor(storedIconId, width, height);
    ExtractedProgramIcon* const programIcon = extractedIcon();
    return programIcon ? programIcon->icon(width, height) : nullptr;
}

std::uint32_t VtAppInfo::iconId() const
{
    const std::lock_guard lock(iconMutex);
    return storedIconId;
}

void VtAppInfo::dropStoredIcon()
{
    {
        const std::lock_guard lock(iconMutex);
        if (storedIconId == 0 || !iconDb)
            return;
        iconDb->deleteIcon(storedIconId);
        storedIconId = 0;
    }
    setModified(true);
}

ExtractedProgramIcon* VtAppInfo::extractedIcon()
{
    if (!extractionTried) {
        extractionTried = true;
        if (auto files = programs->extractIcon(path))
            extracted = std::make_unique<ExtractedProgramIcon>(std::move(*files), iconFiles);
    }
    return extracted.get();
}

void VtAppInfo::storeIconIfMissing()
{
    const std::lock_guard lock(iconMutex);
    if (storedIconId != 0 || !iconDb)
        return;
    // A program without a usable icon may have one by now (it was being
    // installed or updated): each save tries once more, while showing the
    // record keeps to the one attempt until then.
    if (!extracted)
        extractionTried = false;
    if (ExtractedProgramIcon* const programIcon = extractedIcon())
        storedIconId = iconDb->addIconFile(programIcon->icoPath());
}
