#include "backends/WbemVariants.h"

namespace {

bool isIntegerType(VARTYPE type)
{
    switch (type) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

std::optional<std::uint32_t> nonNegative(long long value)
{
    if (value < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// Holds an array's lock while its elements are read.
class SafeArrayLockGuard {
public:
    explicit SafeArrayLockGuard(SAFEARRAY* array) : array(array), locked(SUCCEEDED(SafeArrayLock(array))) {}
    ~SafeArrayLockGuard()
    {
        if (locked)
            SafeArrayUnlock(array);
    }
    SafeArrayLockGuard(const SafeArrayLockGuard&) = delete;
    SafeArrayLockGuard& operator=(const SafeArrayLockGuard&) = delete;

    bool isLocked() const { return locked; }

private:
    SAFEARRAY* array;
    bool locked;
};

} // namespace

std::optional<std::wstring> wbemText(const VARIANT& value)
{
    if (value.vt != VT_BSTR)
        return std::nullopt;
    return std::wstring(value.bstrVal, SysStringLen(value.bstrVal));
}

std::optional<std::uint32_t> wbemUnsigned(const VARIANT& value)
{
    switch (value.vt) {
    case VT_I1:
        return nonNegative(value.cVal);
    case VT_UI1:
        return value.bVal;
    case VT_I2:
        return nonNegative(value.iVal);
    case VT_UI2:
        return value.uiVal;
    case VT_I4:
        return nonNegative(value.lVal);
    case VT_UI4:
        return value.ulVal;
    case VT_INT:
        return nonNegative(value.intVal);
    case VT_UINT:
        return value.uintVal;
    default:
        return std::nullopt;
    }
}

std::wstring wbemIntegerArrayText(const VARIANT& value)
{
    const VARTYPE elementType = value.vt & VT_TYPEMASK;
    if (value.vt != (VT_ARRAY | elementType) || !isIntegerType(elementType) || value.parray == nullptr)
        return {};
    SAFEARRAY* array = value.parray;
    // Elements are copied into a 32-bit buffer by one index: a wider element
    // or a second dimension would be read past the buffer or the array.
    if (SafeArrayGetDim(array) != 1 || SafeArrayGetElemsize(array) > sizeof(std::uint32_t))
        return {};
    const SafeArrayLockGuard lock(array);
    LONG lower = 0;
    LONG upper = -1;
    if (!lock.isLocked() || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return {};
    std::wstring text;
    for (LONG index = lower; index <= upper; ++index) {
        std::uint32_t element = 0;
        if (FAILED(SafeArrayGetElement(array, &index, &element)))
            return {};
        text.push_back(static_cast<wchar_t>(element & 0xFFFF));
    }
    text.erase(text.find_last_not_of(L'\0') + 1);
    return text;
}
