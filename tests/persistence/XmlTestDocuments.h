#pragma once

#include "persistence/TestRecord.h"
#include "persistence/kelSerializableObjVector.h"

#include <memory>
#include <string>

// A settings-like object for the XML tests: values of its own, a nested
// object "owner" and a list of records under "records".
class XmlTestDocument : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        if (!io.serializeValue(L"title", title, true) || !io.serializeValue(L"level", level, true))
            return false;
        const auto ownerNode = io.child(L"owner");
        const auto recordsNode = io.child(L"records");
        return ownerNode && recordsNode && owner.serialize(*ownerNode, flags) && records.serialize(*recordsNode, flags);
    }

    std::wstring title;
    int level = 0;
    TestRecord owner;
    kelSerializableSharedObjVector<TestRecord> records;
};
