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
    std::string content = written->str();
    const bool alreadyWritten = refusedContent == content;
    refusedContent.reset();
    if (!alreadyWritten && !kelPlatformFile::writeDurably(companion, content))
        return false;
    const auto outcome =
        kelPlatformFile::replaceDurably(companion, mainPath, alreadyWritten ? 0 : kelPlatformFile::busyReplaceRetries);
    if (outcome == kelPlatformFile::ReplaceOutcome::busy)
        refusedContent = std::move(content);
    return outcome == kelPlatformFile::ReplaceOutcome::replaced;
}

kelStoredCopy kelSerializationFileStoreMgr::openForRead()
{
    return openFile(mainPath);
}

kelStoredCopy kelSerializationFileStoreMgr::openTempForRead()
{
    return openFile(companionPath());
}

kelStoredCopy kelSerializationFileStoreMgr::openFile(const std::wstring& path) const
{
    // Without a main path the companion's would be a bare ".tmp" in whatever folder is current.
    if (mainPath.empty())
        return {kelStoredCopy::Outcome::unreadable, nullptr};
    std::string bytes;
    switch (kelPlatformFile::readAll(path, bytes)) {
    case kelPlatformFile::ReadOutcome::read:
        return {kelStoredCopy::Outcome::read,
                std::make_shared<std::istringstream>(std::move(bytes), std::ios::in | std::ios::binary)};
    case kelPlatformFile::ReadOutcome::absent:
        return {kelStoredCopy::Outcome::absent, nullptr};
    default:
        return {kelStoredCopy::Outcome::unreadable, nullptr};
    }
}
