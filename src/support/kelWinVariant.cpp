#include "support/kelWinVariant.h"

#include <new>

kelWinVariant::kelWinVariant(kelWinVariant&& other) noexcept : value(other.value)
{
    VariantInit(&other.value);
}

kelWinVariant kelWinVariant::text(const std::wstring& text)
{
    kelWinVariant variant;
    const BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (copy == nullptr)
        throw std::bad_alloc();
    variant.value.vt = VT_BSTR;
    variant.value.bstrVal = copy;
    return variant;
}

kelWinVariant kelWinVariant::flag(bool flagValue)
{
    kelWinVariant variant;
    variant.value.vt = VT_BOOL;
    variant.value.boolVal = flagValue ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

VARIANT* kelWinVariant::receive()
{
    VariantClear(&value);
    return &value;
}
