#pragma once

#include <istream>
#include <memory>
#include <ostream>

// What reading one stored copy found. A copy that is there but could not be
// read is told apart from one that is not there: it may hold what the user
// has, so it must never be written over as if nothing had been stored.
struct kelStoredCopy {
    enum class Outcome { read, absent, unreadable };

    Outcome outcome = Outcome::absent;
    std::shared_ptr<std::istream> stream; // set exactly when read

    bool unreadable() const { return outcome == Outcome::unreadable; }
};

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
    virtual kelStoredCopy openForRead() = 0;
    // What an interrupted save left behind; absent by default.
    virtual kelStoredCopy openTempForRead();
};
