#pragma once

#include "persistence/kelSerializable.h"

#include <cstdint>
#include <memory>
#include <string>

class UiLocalization;

enum UserActionKind : std::int32_t {
    AdjustBrightnessContrast = 0,
    SetProfile = 1,
};

// What a hotkey or an application rule does to the monitors: step brightness
// and contrast of every monitor, or switch to a named profile. Plain data with
// no lock of its own; whoever holds it locks. Its owner gives it the element
// it lives in ("action").
//
// Processors tell actions apart by identity, so a rule hands them a copy and
// a hotkey its own object.
class VtUserAction : public kelSerializable {
public:
    ~VtUserAction() override = default;

    // Reading fails, leaving what was read so far, on a missing or unknown
    // kind and on a missing or unreadable value of the kind; writing fails on
    // an unknown kind. Only the values of the action's kind are written.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    std::int32_t kind = AdjustBrightnessContrast;
    // Signed steps as fractions of full scale: 0.05 is five points up.
    float brightnessDelta = 0.0f;
    float contrastDelta = 0.0f;
    // Compared exactly with the profiles' names.
    std::wstring profileName;
};

// A distinct object with the same values and modified flag.
std::shared_ptr<VtUserAction> copyUserAction(VtUserAction& action);

// The one-line description the hotkey and application lists show, in the
// words of the action editor's kind choice (texts 18, 19 and 73).
std::wstring describeUserAction(const UiLocalization& localization, const VtUserAction& action);
