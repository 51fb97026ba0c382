#pragma once

#include "monitor/MonitorValueKinds.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <string>

class MonitorControl;

// The picture of one hardware control as fractions of its ranges: what the
// DDC/CI and WMI back-ends keep as a monitor's original state. Drive and
// colour temperature are never kept.
class MonitorControlGenericState : public kelSerializable {
public:
    static constexpr std::uint32_t haveBrightness = 0x1;
    static constexpr std::uint32_t haveContrast = 0x2;
    static constexpr std::uint32_t haveRed = 0x4;
    static constexpr std::uint32_t haveGreen = 0x8;
    static constexpr std::uint32_t haveBlue = 0x10;

    void captureFrom(MonitorControl& control);
    // Attempts every kept value even after a failure; false if any set failed.
    bool applyTo(MonitorControl& control) const;

    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    float brightness = 0.0f;
    float contrast = 0.0f;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    std::uint32_t have = 0;
};

// The state operations shared by the hardware back-ends: an Original state is
// the generic picture as JSON text; a Controlled state is not kept, because
// the monitor itself remembers what it was last given.
std::string saveGenericState(MonitorControl& control, MonitorStateKind kind);
bool restoreGenericState(MonitorControl& control, MonitorStateKind kind, const std::string& state);
