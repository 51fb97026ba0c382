#pragma once

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>

// A platform string, made from a wide string for the span of one call or
// received from one, and freed when it goes out of scope.
class kelWinBstr {
public:
    kelWinBstr() = default;
    explicit kelWinBstr(const std::wstring& text)
        : value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
        if (value == nullptr)
            throw std::bad_alloc();
    }
    ~kelWinBstr() { SysFreeString(value); }
    kelWinBstr(const kelWinBstr&) = delete;
    kelWinBstr& operator=(const kelWinBstr&) = delete;

    BSTR get() const { return value; }
    // For a platform call that hands out a string: the one held is freed first.
    BSTR* receive()
    {
        SysFreeString(value);
        value = nullptr;
        return &value;
    }
    std::wstring text() const { return std::wstring(value, SysStringLen(value)); }

private:
    BSTR value = nullptr;
};
