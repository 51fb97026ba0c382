#pragma once

#include "automation/IconDatabase.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

class IconFiles;

// The icons loaded from one .ico file, one per size, destroyed with the
// cache. Not locked: its owner guards it.
class IconCache {
public:
    explicit IconCache(std::shared_ptr<IconFiles> files);
    ~IconCache();
    IconCache(const IconCache&) = delete;
    IconCache& operator=(const IconCache&) = delete;

    // The icon of that size from the file at path, loaded on first use; a
    // load that failed is remembered and not tried again.
    IconHandle icon(const std::wstring& path, int width, int height);

private:
    std::shared_ptr<IconFiles> files;
    std::map<std::pair<int, int>, IconHandle> loaded;
};
