#include "persistence/kelSerializable.h"

#include "persistence/kelSerializationIoStream.h"

bool kelSerializable::load(kelSerializationInputStream& in)
{
    kelSerializationIoStream io(in);
    return serialize(io, 0);
}

bool kelSerializable::save(kelSerializationOutputStream& out)
{
    kelSerializationIoStream io(out);
    return serialize(io, 0);
}

bool kelSerializable::serialize(kelSerializationIoStream& io, unsigned flags)
{
    return false;
}

bool kelSerializable::isModified()
{
    kelLockableAutolock<kelLockable> guard(*this);
    return modified;
}

void kelSerializable::setModified(bool value)
{
    kelLockableAutolock<kelLockable> guard(*this);
    modified = value;
}
