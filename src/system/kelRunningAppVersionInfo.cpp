#include "app/kelRunningAppVersionInfo.h"

#include "app/kelVersionResource.h"

kelRunningAppVersionInfo::kelRunningAppVersionInfo(const kelVersionResourceReader& reader)
{
    read(reader.runningExecutablePath(), reader);
}
