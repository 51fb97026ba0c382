#pragma once

#include <memory>
#include <optional>
#include <string>

// The temporary .ico file a program's icon was extracted into, and the file
// that reserved its name; the one who asked for the extraction deletes both.
struct ExtractedIconFiles {
    std::wstring icoPath;
    std::wstring reservedPath;
};

// What the application database reads from program files.
class ProgramFiles {
public:
    virtual ~ProgramFiles() = default;

    // The ProductName of the program file's version information; empty when
    // it has none or it cannot be read.
    virtual std::wstring productName(const std::wstring& programPath) = 0;
    // Writes the first icon group of the program file into a new temporary
    // .ico file; nothing, and no file left behind, when the program has no
    // icon group or it is malformed.
    virtual std::optional<ExtractedIconFiles> extractIcon(const std::wstring& programPath) = 0;

    // The platform's own reading of program files.
    static std::shared_ptr<ProgramFiles> real();
};
