#pragma once

// Whether the program starts with Windows, and the switch to change it.
class kelAppAutorunBase {
public:
    virtual ~kelAppAutorunBase() = default;
    virtual bool isEnabled() = 0;
    // True when the program now starts with Windows exactly as asked.
    virtual bool setEnabled(bool enabled) = 0;
};
