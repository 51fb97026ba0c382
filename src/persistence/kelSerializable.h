#pragma once

#include "support/kelLockable.h"
#include "support/kelThreadSafe.h"

class kelSerializationIoStream;
class kelSerializationInputStream;
class kelSerializationOutputStream;

// Base of every persisted object: one two-way serialize routine that reads or
// writes depending on the stream it is given, and a modified flag that tells
// the save passes whether the object needs writing.
class kelSerializable : public kelLockable {
public:
    // Loading changes fields but never the modified flag: the freshly loaded
    // state is by definition what the file holds.
    virtual bool load(kelSerializationInputStream& in);
    virtual bool save(kelSerializationOutputStream& out);
    virtual bool serialize(kelSerializationIoStream& io, unsigned flags);
    virtual bool isModified();
    virtual void setModified(bool value);

private:
    bool modified = false;
};

// A serializable whose accessors, serialize pass and modified flag share one
// re-entrant lock, so a serialize pass may call the object's own accessors.
class kelSerializableTs : public kelSerializable, public kelThreadSafe {
public:
    void lock() override { criticalSection.enter(); }
    void unlock() override { criticalSection.leave(); }
};
