#pragma once

#include <cstdint>

// Owns the GDI+ start-up token: GDI+ is shut down when this goes.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    std::uintptr_t token = 0;
    bool started = false;
};
