#include "backends/WinWmiMonitorControl.h"

#include "backends/WbemClassObject.h"
#include "backends/WbemServices.h"
#include "backends/WbemVariants.h"
#include "monitor/MonitorControlGenericState.h"
#include "support/kelWinVariant.h"

namespace {

const std::wstring brightnessClass = L"WmiMonitorBrightness";
const std::wstring methodsClass = L"WmiMonitorBrightnessMethods";
const std::wstring setBrightnessMethod = L"WmiSetBrightness";
constexpr std::uint32_t maximumBrightness = 100;

} // namespace

WinWmiMonitorControl::WinWmiMonitorControl(std::shared_ptr<WbemLocator> locator,
                                           std::shared_ptr<WbemServices> services, std::wstring instanceName)
    : locator(std::move(locator)), services(std::move(services)), instanceName(std::move(instanceName))
{
}

bool WinWmiMonitorControl::initialize()
{
    brightnessObject = findInstance(brightnessClass);
    if (!brightnessObject)
        return false;
    methodsObject = findInstance(methodsClass);
    return methodsObject != nullptr;
}

std::shared_ptr<WbemClassObject> WinWmiMonitorControl::findInstance(const std::wstring& className) const
{
    for (const auto& object : services->query(className)) {
        kelWinVariant name;
        if (object->get(L"InstanceName", name) && wbemText(name.get()) == instanceName)
            return object;
    }
    return {};
}

std::wstring WinWmiMonitorControl::controlName(MonitorValueKind)
{
    return name();
}

std::wstring WinWmiMonitorControl::name()
{
    return L"WMI";
}

ControlMethod WinWmiMonitorControl::controlMethodFor(MonitorValueKind)
{
    return ControlMethodHardware;
}

ControlMethod WinWmiMonitorControl::controlMethod()
{
    return ControlMethodHardware;
}

void WinWmiMonitorControl::setPreferredControlMethod(ControlMethod)
{
}

bool WinWmiMonitorControl::isSupported(MonitorValueKind kind)
{
    return kind == Brightness && brightnessObject && methodsObject;
}

bool WinWmiMonitorControl::isColorTemperatureSupported(int)
{
    return false;
}

bool WinWmiMonitorControl::getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    brightnessObject = findInstance(brightnessClass);
    if (!brightnessObject)
        return false;
    kelWinVariant value;
    if (!brightnessObject->get(L"CurrentBrightness", value))
        return false;
    const auto level = wbemUnsigned(value.get());
    if (!level)
        return false;
    minimum = 0;
    current = *level;
    maximum = maximumBrightness;
    return true;
}

bool WinWmiMonitorControl::setBrightness(std::uint32_t value)
{
    if (!methodsObject)
        return false;
    const auto parameters = setBrightnessParameters(value);
    return parameters && methodsObject->execMethod(setBrightnessMethod, *parameters);
}

// The method's input parameters filled in. A parameter WMI refused to take
// would leave the method to run with a null brightness, so that is a failure.
std::shared_ptr<WbemClassObject> WinWmiMonitorControl::setBrightnessParameters(std::uint32_t value) const
{
    const auto method = methodsObject->getClassObject(setBrightnessMethod);
    const auto definition = method ? method->getMethodParameters() : nullptr;
    auto parameters = definition ? definition->spawnInstance() : nullptr;
    if (!parameters)
        return {};
    if (!parameters->put(L"Timeout", kelWinVariant::text(L"0"), CIM_UINT32) ||
        !parameters->put(L"Brightness", kelWinVariant::text(std::to_wstring(value)), CIM_UINT8))
        return {};
    return parameters;
}

bool WinWmiMonitorControl::getContrast(std::uint32_t&, std::uint32_t&, std::uint32_t&)
{
    return false;
}

bool WinWmiMonitorControl::setContrast(std::uint32_t)
{
    return false;
}

bool WinWmiMonitorControl::getColorTemperature(int&)
{
    return false;
}

bool WinWmiMonitorControl::setColorTemperature(int)
{
    return false;
}

bool WinWmiMonitorControl::getGain(ColorChannel, std::uint32_t&, std::uint32_t&, std::uint32_t&)
{
    return false;
}

bool WinWmiMonitorControl::setGain(ColorChannel, std::uint32_t)
{
    return false;
}

bool WinWmiMonitorControl::getDrive(ColorChannel, std::uint32_t&, std::uint32_t&, std::uint32_t&)
{
    return false;
}

bool WinWmiMonitorControl::setDrive(ColorChannel, std::uint32_t)
{
    return false;
}

std::string WinWmiMonitorControl::saveState(MonitorStateKind kind)
{
    return saveGenericState(*this, kind);
}

bool WinWmiMonitorControl::restoreState(MonitorStateKind kind, const std::string& state)
{
    return restoreGenericState(*this, kind, state);
}
