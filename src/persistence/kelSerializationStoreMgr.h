#pragma once

#include <istream>
#include <memory>
#include <ostream>

// Where one persisted object's bytes live. Each save opens a sink, writes
// the whole document into it and commits; each load reads the main copy and
// falls back to what an interrupted save left behind.
class kelSerializationStoreMgr {
public:
    virtual ~kelSerializationStoreMgr() = default;

    // Empty on failure.
    virtual std::shared_ptr<std::ostream> openForWrite() = 0;
    // Makes what was written to sink the stored copy; false when it did not.
    virtual bool commitWrite(std::shared_ptr<std::ostream> sink);
    // Empty when there is nothing readable.
    virtual std::shared_ptr<std::istream> openForRead() = 0;
    // What an interrupted save left behind, or empty.
    virtual std::shared_ptr<std::istream> openTempForRead();
};
