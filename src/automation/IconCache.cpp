#include "automation/IconCache.h"

#include "automation/IconFiles.h"

IconCache::IconCache(std::shared_ptr<IconFiles> files) : files(std::move(files)) {}

IconCache::~IconCache()
{
    for (const auto& [size, handle] : loaded) {
        if (handle)
            files->destroyIcon(handle);
    }
}

IconHandle IconCache::icon(const std::wstring& path, int width, int height)
{
    const auto [found, isNew] = loaded.try_emplace({width, height}, nullptr);
    if (isNew)
        found->second = files->loadIcon(path, width, height);
    return found->second;
}
