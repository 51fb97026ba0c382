#include "backends/WbemClassObject.h"

#include "support/kelWinBstr.h"
#include "support/kelWinVariant.h"

using Microsoft::WRL::ComPtr;

WbemClassObject::WbemClassObject(ComPtr<IWbemClassObject> object, std::wstring name, ComPtr<IWbemServices> services)
    : object(std::move(object)), objectName(std::move(name)), services(std::move(services))
{
}

bool WbemClassObject::get(const std::wstring& property, kelWinVariant& value)
{
    return succeeded(object->Get(property.c_str(), 0, value.receive(), nullptr, nullptr));
}

bool WbemClassObject::put(const std::wstring& property, const kelWinVariant& value, CIMTYPE type)
{
    // Put only reads the value; its platform signature just lacks the const.
    return succeeded(object->Put(property.c_str(), 0, const_cast<VARIANT*>(&value.get()), type));
}

std::shared_ptr<WbemClassObject> WbemClassObject::getClassObject(const std::wstring& label)
{
    if (!services) {
        keepError(E_UNEXPECTED);
        return {};
    }
    const kelWinBstr className(objectName);
    ComPtr<IWbemClassObject> definition;
    const HRESULT result = services->GetObject(className.get(), 0, nullptr, &definition, nullptr);
    if (!delivered(result, definition.Get()))
        return {};
    return std::make_shared<WbemClassObject>(std::move(definition), label, nullptr);
}

std::shared_ptr<WbemClassObject> WbemClassObject::getMethodParameters()
{
    ComPtr<IWbemClassObject> parameters;
    const HRESULT result = object->GetMethod(objectName.c_str(), 0, &parameters, nullptr);
    if (!delivered(result, parameters.Get()))
        return {};
    return std::make_shared<WbemClassObject>(std::move(parameters), objectName, nullptr);
}

std::shared_ptr<WbemClassObject> WbemClassObject::spawnInstance()
{
    ComPtr<IWbemClassObject> instance;
    const HRESULT result = object->SpawnInstance(0, &instance);
    if (!delivered(result, instance.Get()))
        return {};
    return std::make_shared<WbemClassObject>(std::move(instance), std::wstring(), nullptr);
}

bool WbemClassObject::execMethod(const std::wstring& methodName, const WbemClassObject& inParameters)
{
    kelWinVariant path;
    if (!get(L"__PATH", path))
        return false;
    if (!services) {
        keepError(E_UNEXPECTED);
        return false;
    }
    // Classes and fresh instances have a null path; reading it as a string
    // would hand the platform whatever the variant's union holds.
    if (path.get().vt != VT_BSTR) {
        keepError(WBEM_E_INVALID_OBJECT_PATH);
        return false;
    }
    const kelWinBstr method(methodName);
    return succeeded(services->ExecMethod(path.get().bstrVal, method.get(), 0, nullptr, inParameters.platformObject(),
                                          nullptr, nullptr));
}
