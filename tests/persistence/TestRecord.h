#pragma once

#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"

#include <memory>
#include <string>
#include <utility>

// A small persisted object for container tests. Its "count" is required when
// reading, so a node without one is an element that fails to load.
class TestRecord : public kelSerializable {
public:
    TestRecord() = default;
    TestRecord(std::wstring recordName, int recordCount) : name(std::move(recordName)), count(recordCount) {}

    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        if (io.isReading()) {
            io.input()->read(L"name", name, true);
            return io.input()->read(L"count", count, true);
        }
        return io.output()->write(L"name", name, true) && io.output()->write(L"count", count, true);
    }

    bool sameIdentity(const TestRecord& other) const { return name == other.name; }

    std::wstring name;
    int count = 0;
};

inline std::shared_ptr<TestRecord> makeRecord(const std::wstring& name, int count = 0)
{
    return std::make_shared<TestRecord>(name, count);
}
