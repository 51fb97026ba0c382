#pragma once

// The application hub: owns every model object. It is created on the UI
// thread at start-up and destroyed there at exit, after the windows.
class VtApp {
public:
    VtApp() = default;
    ~VtApp() = default;
    VtApp(const VtApp&) = delete;
    VtApp& operator=(const VtApp&) = delete;

    // Creates and loads the model objects; false means no monitor was found.
    bool initialize();
};
