#pragma once

#include "monitor/MonitorValueKinds.h"
#include "persistence/kelSerializable.h"
#include "monitor/MonitorLevel.h"

#include <map>

class MonitorControl;

// The picture values of one monitor as fractions of the monitor's own ranges,
// so they mean the same on a monitor with another scale. Plain data, changed
// only under the lock of whoever owns it.
class MonitorProfile : public kelSerializable {
public:
    MonitorProfile();

    // A value the control cannot read is kept as full (brightness, contrast)
    // or as it was (a gain). Always succeeds.
    bool captureFrom(MonitorControl& control);
    // Values the control does not support or cannot read are left alone.
    void applyTo(MonitorControl& control) const;

    void setFraction(MonitorLevel level, float fraction);

    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    float brightness = 1.0f;
    float contrast = 1.0f;
    std::map<ColorChannel, float> gains;
};
