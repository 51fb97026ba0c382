#pragma once

#include "automation/ProgramFiles.h"

// Program files through their version resource and, loaded as data files,
// their icon resources. The resource bytes the loader hands out are checked
// to lie in readable memory before they are read, and their content is
// checked by IcoFileBuilder, so a truncated or crafted program fails cleanly.
class WinProgramFiles : public ProgramFiles {
public:
    std::wstring productName(const std::wstring& programPath) override;
    std::optional<ExtractedIconFiles> extractIcon(const std::wstring& programPath) override;
};
