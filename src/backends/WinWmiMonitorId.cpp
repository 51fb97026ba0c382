#include "backends/WinWmiMonitorId.h"

#include "backends/WbemClassObject.h"
#include "backends/WbemServices.h"
#include "backends/WbemVariants.h"
#include "support/kelWinVariant.h"

namespace {

std::wstring arrayTextOf(WbemClassObject& object, const std::wstring& property)
{
    kelWinVariant value;
    return object.get(property, value) ? wbemIntegerArrayText(value.get()) : std::wstring();
}

} // namespace

WinWmiMonitorIdList loadWmiMonitorIds(WbemServices& services)
{
    WinWmiMonitorIdList ids;
    for (const auto& object : services.query(L"WmiMonitorID")) {
        kelWinVariant instanceName;
        if (!object->get(L"InstanceName", instanceName))
            continue;
        auto id = std::make_shared<WinWmiMonitorId>();
        id->instanceName = wbemText(instanceName.get()).value_or(std::wstring());
        if (id->instanceName.empty())
            continue;
        id->manufacturerName = arrayTextOf(*object, L"ManufacturerName");
        id->productCode = arrayTextOf(*object, L"ProductCodeID");
        id->serialNumber = arrayTextOf(*object, L"SerialNumberID");
        id->friendlyName = arrayTextOf(*object, L"UserFriendlyName");
        ids.push_back(std::move(id));
    }
    return ids;
}
