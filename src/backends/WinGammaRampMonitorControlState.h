#pragma once

#include "backends/GammaRampFormulas.h"
#include "persistence/kelSerializable.h"

#include <optional>

// What the gamma-ramp control keeps of a monitor: its coefficients and, for
// the original picture, the ramp the card held.
class WinGammaRampMonitorControlState : public kelSerializable {
public:
    // Reading fails for a missing, negative or non-finite coefficient and for
    // a ramp text that is not Base64 of exactly one ramp: a damaged text is
    // refused as a whole rather than half trusted.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    GammaCoefficients coefficients;
    // Empty when no ramp is kept.
    std::optional<GammaRamp> ramp;

private:
    bool read(kelSerializationInputStream& in);
    bool write(kelSerializationOutputStream& out) const;
};
