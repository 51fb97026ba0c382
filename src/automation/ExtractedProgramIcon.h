#pragma once

#include "automation/IconCache.h"
#include "automation/ProgramFiles.h"

#include <memory>
#include <string>

class IconFiles;

// A program's icon extracted into a temporary .ico file, with the icons
// loaded from it. Going away destroys those icons and deletes the temporary
// files. Not locked: its owner guards it.
class ExtractedProgramIcon {
public:
    ExtractedProgramIcon(ExtractedIconFiles extracted, std::shared_ptr<IconFiles> files);
    ~ExtractedProgramIcon();
    ExtractedProgramIcon(const ExtractedProgramIcon&) = delete;
    ExtractedProgramIcon& operator=(const ExtractedProgramIcon&) = delete;

    const std::wstring& icoPath() const { return extracted.icoPath; }
    IconHandle icon(int width, int height);

private:
    const ExtractedIconFiles extracted;
    const std::shared_ptr<IconFiles> files;
    IconCache icons;
};
