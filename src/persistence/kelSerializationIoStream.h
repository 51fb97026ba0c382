#pragma once

#include "persistence/kelSerializationStreams.h"

#include <memory>
#include <string>
#include <vector>

// The two-way stream a serialize routine is given: it reads when input() is
// set and writes when output() is set, never both. Child io-streams own the
// format's child node, so they stay valid after their parent is gone.
class kelSerializationIoStream {
public:
    explicit kelSerializationIoStream(kelSerializationInputStream& in);
    explicit kelSerializationIoStream(kelSerializationOutputStream& out);
    // Throws std::invalid_argument for an empty stream.
    explicit kelSerializationIoStream(std::shared_ptr<kelSerializationInputStream> in);
    explicit kelSerializationIoStream(std::shared_ptr<kelSerializationOutputStream> out);

    bool isReading() const { return inputStream != nullptr; }
    kelSerializationInputStream* input() const { return inputStream; }
    kelSerializationOutputStream* output() const { return outputStream; }

    // Reads the value called name into field, or writes field under that
    // name, whichever way the stream goes; for fields whose read and write
    // need nothing else.
    template <class T>
    bool serializeValue(const std::wstring& name, T& field, bool asAttribute) const
    {
        return isReading() ? inputStream->read(name, field, asAttribute) : outputStream->write(name, field, asAttribute);
    }

    // Reading: the first child called name; writing: a new child called name.
    // Empty if there is no such child or the format refuses to make one.
    std::shared_ptr<kelSerializationIoStream> child(const std::wstring& name) const;
    // Reading: every child called name, in document order. Writing: always
    // empty, as writers create list elements one by one with child().
    std::vector<std::shared_ptr<kelSerializationIoStream>> children(const std::wstring& name) const;

private:
    kelSerializationInputStream* inputStream = nullptr;
    std::shared_ptr<kelSerializationInputStream> inputHolder;
    kelSerializationOutputStream* outputStream = nullptr;
    std::shared_ptr<kelSerializationOutputStream> outputHolder;
};
