#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// Owns one VARIANT and clears it (freeing its string, array or interface)
// when destroyed or before it receives a new value.
class kelWinVariant {
public:
    kelWinVariant() noexcept { VariantInit(&value); }
    kelWinVariant(kelWinVariant&& other) noexcept;
    ~kelWinVariant() { VariantClear(&value); }
    kelWinVariant(const kelWinVariant&) = delete;
    kelWinVariant& operator=(const kelWinVariant&) = delete;
    kelWinVariant& operator=(kelWinVariant&&) = delete;

    // A string value; throws std::bad_alloc when the platform has no memory for it.
    static kelWinVariant text(const std::wstring& text);
    static kelWinVariant flag(bool value);

    const VARIANT& get() const { return value; }
    // For a platform call that fills the variant: cleared first, so the value
    // it held is not leaked.
    VARIANT* receive();

private:
    VARIANT value;
};
