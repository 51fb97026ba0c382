#pragma once

#include "persistence/kelSerializable.h"

#include <string>
#include <unordered_map>

// Every back-end's own state text of one monitor, keyed by back-end name.
class MonitorMultiControlState : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    std::unordered_map<std::wstring, std::string> states;
};
