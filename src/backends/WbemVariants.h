#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <windows.h>
#include <oleauto.h>

// Reading the values WMI hands back, always by the variant's actual type:
// WMI picks the variant type from the property's CIM type, so the same
// property may arrive as any integer type.

// The text of a string value; nothing for any other type.
std::optional<std::wstring> wbemText(const VARIANT& value);

// A non-negative value of any integer type; nothing for other types.
std::optional<std::uint32_t> wbemUnsigned(const VARIANT& value);

// An array of integers holding one character code per element, as WMI
// gives monitor names and codes: the low 16 bits of each element, trailing
// zeros removed. Anything but a one-dimensional integer array gives "".
std::wstring wbemIntegerArrayText(const VARIANT& value);
