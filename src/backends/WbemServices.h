#pragma once

#include "backends/HresultErrorCodeProvider.h"

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

class WbemClassObject;

// A connection to one WMI namespace.
class WbemServices : public HresultErrorCodeProvider {
public:
    explicit WbemServices(Microsoft::WRL::ComPtr<IWbemServices> services);

    // Every instance of the class, each named after it and holding these
    // services; empty when there are none or the query fails.
    std::vector<std::shared_ptr<WbemClassObject>> query(const std::wstring& className);

private:
    Microsoft::WRL::ComPtr<IWbemServices> services;
};
