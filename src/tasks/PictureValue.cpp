#include "tasks/PictureValue.h"

MonitorLevel levelOf(PictureValue value)
{
    switch (value) {
    case PictureValue::Brightness:
        return {MonitorValueKind::Brightness};
    case PictureValue::Contrast:
        return {MonitorValueKind::Contrast};
    case PictureValue::Red:
        return {RgbGain, ColorChannel::Red};
    case PictureValue::Green:
        return {RgbGain, ColorChannel::Green};
    case PictureValue::Blue:
        return {RgbGain, ColorChannel::Blue};
    }
    // Out of the enumeration (a cast integer): a kind no level reads or writes.
    return {RgbDrive};
}
