#pragma once

#include "system/kelCommandLineLookup.h"

// The environment and files of the machine the program runs on.
class kelWinCommandLineLookup : public kelCommandLineLookup {
public:
    std::wstring expandEnvironment(const std::wstring& text) const override;
    std::wstring searchPath(const std::wstring& program) const override;
    bool isFile(const std::wstring& path) const override;
};
