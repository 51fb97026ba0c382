#pragma once

#include "backends/HresultErrorCodeProvider.h"

#include <memory>
#include <string>

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

class kelWinVariant;

// One WMI object: an instance, a class definition or a method's parameters.
// Each call reports success as a bool or a non-empty result and keeps the
// platform's failing result as the last error.
class WbemClassObject : public HresultErrorCodeProvider {
public:
    // name is the WMI class of an instance, or the label a class or
    // parameter object was fetched under; services may be empty.
    WbemClassObject(Microsoft::WRL::ComPtr<IWbemClassObject> object, std::wstring name,
                    Microsoft::WRL::ComPtr<IWbemServices> services);

    const std::wstring& name() const { return objectName; }
    IWbemClassObject* platformObject() const { return object.Get(); }

    bool get(const std::wstring& property, kelWinVariant& value);
    bool put(const std::wstring& property, const kelWinVariant& value, CIMTYPE type);
    // The definition of this object's class, named label; it has no services.
    std::shared_ptr<WbemClassObject> getClassObject(const std::wstring& label);
    // The input parameters of the method this object is named after.
    std::shared_ptr<WbemClassObject> getMethodParameters();
    // A new instance of this class or parameter definition, unnamed and without services.
    std::shared_ptr<WbemClassObject> spawnInstance();
    // Runs a method on the instance this object stands for, found by its path.
    bool execMethod(const std::wstring& methodName, const WbemClassObject& inParameters);

private:
    Microsoft::WRL::ComPtr<IWbemClassObject> object;
    std::wstring objectName;
    Microsoft::WRL::ComPtr<IWbemServices> services;
};
