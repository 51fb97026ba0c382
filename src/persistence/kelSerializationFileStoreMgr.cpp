#include "persistence/kelSerializationFileStoreMgr.h"

#include "persistence/kelPlatformFile.h"

#include <utility>

kelSerializationFileStoreMgr::kelSerializationFileStoreMgr(std::wstring path) : mainPath(std::move(path)) {}

std::shared_ptr<std::ostream> kelSerializationFileStoreMgr::openForWrite()
{
    if (mainPath.empty())
        return {};
    pending = std::make_shared<std::ostringstream>(std::ios::out | std::ios::binary);
    return pending;
}

bool kelSerializationFileStoreMgr::commitWrite(std::shared_ptr<std::ostream> sink)
{
    auto written = std::move(pending);
    // Only the sink this store handed out, whole and unfailed, may become the file.
    if (!written || sink != written || !written->good())
        return false;
    sink.reset();
    const std::wstring companion = companionPath();
    return kelPlatformFile::writeDurably(companion, written->str()) &&
           kelPlatformFile::replaceDurably(companion, mainPath);
}

std::shared_ptr<std::istream> kelSerializationFileStoreMgr::openForRead()
{
    return openFile(mainPath);
}

std::shared_ptr<std::istream> kelSerializationFileStoreMgr::openTempForRead()
{
    return openFile(companionPath());
}

std::shared_ptr<std::istream> kelSerializationFileStoreMgr::openFile(const std::wstring& path)
{
    std::string bytes;
    if (path.empty() || !kelPlatformFile::readAll(path, bytes))
        return {};
    return std::make_shared<std::istringstream>(std::move(bytes), std::ios::in | std::ios::binary);
}
