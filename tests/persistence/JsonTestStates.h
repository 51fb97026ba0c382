#pragma once

#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The picture of one monitor as fractions, all six values required on reading.
class PictureTestState : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        return io.serializeValue(L"have", have, true) && io.serializeValue(L"brightness", brightness, true) &&
            io.serializeValue(L"contrast", contrast, true) && io.serializeValue(L"r", red, true) &&
            io.serializeValue(L"g", green, true) && io.serializeValue(L"b", blue, true);
    }

    unsigned have = 0;
    float brightness = 0;
    float contrast = 0;
    float red = 0;
    float green = 0;
    float blue = 0;
};

struct ControlEntry {
    std::wstring uid;
    std::wstring state;
    bool operator==(const ControlEntry&) const = default;
};

// A list of "control" children, each with a "uid" and a "state", beside an
// optional "label" value of the node itself.
class ControlListTestState : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        return io.isReading() ? read(io) : write(io);
    }

    std::optional<std::wstring> label;
    std::vector<ControlEntry> controls;

private:
    bool read(kelSerializationIoStream& io)
    {
        std::wstring text;
        if (io.input()->read(L"label", text, true))
            label = text;
        for (const auto& child : io.children(L"control")) {
            ControlEntry entry;
            if (!child->serializeValue(L"uid", entry.uid, true) || !child->serializeValue(L"state", entry.state, true))
                return false;
            controls.push_back(std::move(entry));
        }
        return true;
    }

    bool write(kelSerializationIoStream& io)
    {
        if (label && !io.output()->write(L"label", *label, true))
            return false;
        for (auto& entry : controls) {
            const auto child = io.child(L"control");
            if (!child || !child->serializeValue(L"uid", entry.uid, true) ||
                !child->serializeValue(L"state", entry.state, true))
                return false;
        }
        return true;
    }
};
