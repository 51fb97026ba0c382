#include "automation/ExtractedProgramIcon.h"

#include "automation/IconFiles.h"

#include <utility>

ExtractedProgramIcon::ExtractedProgramIcon(ExtractedIconFiles extracted, std::shared_ptr<IconFiles> files)
    : extracted(std::move(extracted)), files(files), icons(std::move(files))
{
}

ExtractedProgramIcon::~ExtractedProgramIcon()
{
    files->remove(extracted.icoPath);
    files->remove(extracted.reservedPath);
}

IconHandle ExtractedProgramIcon::icon(int width, int height)
{
    return icons.icon(extracted.icoPath, width, height);
}
