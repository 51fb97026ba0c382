#pragma once

#include "support/kelErrorCodeProvider.h"

#include <cstdint>

// The category of platform result codes kept by the WMI wrappers: it knows
// no texts of its own, since the codes come from many platform components.
const std::error_category& commonErrorCategory();

// Keeps the last failing 32-bit platform result (an HRESULT); 0 until a
// call fails. Successes never clear it.
class HresultErrorCodeProvider : public kelErrorCodeProvider {
public:
    std::error_code errorCode() const override;

protected:
    // True when result reports success; a failing result is kept.
    bool succeeded(std::int32_t result);
    // The same for a call that hands back an object: success without one is
    // kept as E_POINTER, so callers never go on with a null object. Make the
    // call before this one: arguments are evaluated in no fixed order.
    bool delivered(std::int32_t result, const void* object);
    void keepError(std::int32_t result) { lastError = result; }

private:
    std::int32_t lastError = 0;
};
