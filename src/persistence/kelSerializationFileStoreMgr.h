#pragma once

#include "persistence/kelSerializationStoreMgr.h"

#include <memory>
#include <sstream>
#include <string>

// One object's file and its companion path + ".tmp". A save goes to the
// companion, which is written completely, forced to disk and closed before it
// replaces the main file in one step: at every instant the disk holds either
// the whole old file or the whole new one. A companion found at load time is
// what an interrupted save left behind.
class kelSerializationFileStoreMgr : public kelSerializationStoreMgr {
public:
    explicit kelSerializationFileStoreMgr(std::wstring path);

    // The document is gathered in memory and reaches the companion only at
    // commit, so nothing half-written is ever renamed into place.
    std::shared_ptr<std::ostream> openForWrite() override;
    bool commitWrite(std::shared_ptr<std::ostream> sink) override;
    std::shared_ptr<std::istream> openForRead() override;
    std::shared_ptr<std::istream> openTempForRead() override;

    const std::wstring& path() const { return mainPath; }
    std::wstring companionPath() const { return mainPath + L".tmp"; }

private:
    static std::shared_ptr<std::istream> openFile(const std::wstring& path);

    std::wstring mainPath;
    std::shared_ptr<std::ostringstream> pending;
};
