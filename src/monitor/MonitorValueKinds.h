#pragma once

// The values a monitor control can change; also the index of a
// multi-control's per-value table.
enum MonitorValueKind : int {
    Brightness = 0,
    Contrast = 1,
    ColorTemperature = 2,
    RgbGain = 3,
    RgbDrive = 4,
};
constexpr int monitorValueKindCount = 5;

// In the order of the platform's gain and drive enumeration.
enum ColorChannel : int {
    Red = 0,
    Green = 1,
    Blue = 2,
};

// How a value reaches the screen; 0 also means "any" as a preference.
enum ControlMethod : int {
    ControlMethodNone = 0,
    ControlMethodHardware = 1,
    ControlMethodGammaRamp = 2,
};

enum MonitorStateKind : int {
    Controlled = 0,
    Original = 1,
};

// Colour temperatures are indexes 0..7 standing for 4000 K, 5000 K, 6500 K,
// 7500 K, 8200 K, 9300 K, 10000 K and 11500 K.
constexpr int colorTemperatureCount = 8;
