#include "localization/ShippedLocalizations.h"

#include "persistence/kelUtf8.h"

std::wstring shippedLocalizationsFolder()
{
    return kelUtf8ToWide(VANTREL_SHIPPED_LOCALIZATIONS);
}
