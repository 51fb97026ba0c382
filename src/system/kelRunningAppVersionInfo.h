#pragma once

#include "system/kelBinaryFileVersionInfo.h"

// The version of the running program, read once from its own file.
class kelRunningAppVersionInfo : public kelBinaryFileVersionInfo {
public:
    explicit kelRunningAppVersionInfo(const kelVersionResourceReader& reader);
};
