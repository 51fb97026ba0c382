#include "monitor/VtDisplayDeviceInfo.h"

#include <locale>
#include <sstream>
#include <stdexcept>
#include <utility>

VtDisplayDeviceInfo::VtDisplayDeviceInfo(std::shared_ptr<DisplayDeviceInfo> inner, std::wstring shownName,
                                         std::wstring idText)
    : inner(std::move(inner)), shown(std::move(shownName)), identity(std::move(idText))
{
    if (!this->inner)
        throw std::invalid_argument("VtDisplayDeviceInfo needs a device");
}

std::wstring VtDisplayDeviceInfo::shownName(const std::wstring& storedName, std::uint32_t id)
{
    std::wostringstream text;
    // A global locale with digit grouping would turn id 1234 into "1,234".
    text.imbue(std::locale::classic());
    text << storedName << L" #" << id;
    return text.str();
}

std::wstring VtDisplayDeviceInfo::idText(std::uint32_t id)
{
    return std::to_wstring(id);
}
