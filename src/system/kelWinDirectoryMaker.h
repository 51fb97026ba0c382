#pragma once

#include "system/kelDirectoryMaker.h"

// Creates folders level by level with CreateDirectoryW.
class kelWinDirectoryMaker : public kelDirectoryMaker {
protected:
    Outcome createDirectory(const std::wstring& path) override;
};
