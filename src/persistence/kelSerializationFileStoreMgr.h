#pragma once

#include "persistence/kelSerializationStoreMgr.h"

#include <memory>
#include <optional>
#include <sstream>
#include <string>

// One object's file and its companion path + ".tmp". A save goes to the
// companion, which is written completely, forced to disk and closed before it
// replaces the main file in one step: at every instant the disk holds either
// the whole old file or the whole new one.
//
// A companion found at load time is what a save left behind before it could
// replace the main file: killed in between, or refused because another
// program (a scanner, a backup or sync tool, an editor) held the main file
// through every retry. A companion that was written completely is therefore
// newer than the main file, and the load takes it first (see
// kelSerializableObjectsMgr); one cut short does not parse and is passed over.
//
// Not thread-safe: the objects manager calls it under its lock.
class kelSerializationFileStoreMgr : public kelSerializationStoreMgr {
public:
    explicit kelSerializationFileStoreMgr(std::wstring path);

    // The document is gathered in memory and reaches the companion only at
    // commit, so nothing half-written is ever renamed into place.
    std::shared_ptr<std::ostream> openForWrite() override;
    bool commitWrite(std::shared_ptr<std::ostream> sink) override;
    // A store without a path has nowhere to read from or write to; it reports
    // its copies unreadable, so that nothing is ever saved through it.
    kelStoredCopy openForRead() override;
    kelStoredCopy openTempForRead() override;

    const std::wstring& path() const { return mainPath; }
    std::wstring companionPath() const { return mainPath + L".tmp"; }

private:
    kelStoredCopy openFile(const std::wstring& path) const;

    std::wstring mainPath;
    std::shared_ptr<std::ostringstream> pending;
    // What the companion holds, whole, since a replace was refused through
    // every retry. The same content again (the exit's second pass, an
    // autosave with nothing new) is not written a second time, which could
    // be cut short by the end of the process, and its replace is tried once:
    // the wait has been spent on it already.
    std::optional<std::string> refusedContent;
};
