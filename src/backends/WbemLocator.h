#pragma once

#include "backends/HresultErrorCodeProvider.h"

#include <memory>
#include <string>

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

class WbemServices;
class WinWmiApi;

// The entry to WMI: makes one connection to a namespace.
class WbemLocator : public HresultErrorCodeProvider {
public:
    explicit WbemLocator(std::shared_ptr<WinWmiApi> api);

    // Empty on failure. A locator connects once: a second call fails with E_UNEXPECTED.
    std::shared_ptr<WbemServices> connect(const std::wstring& nameSpace);

private:
    std::shared_ptr<WinWmiApi> api;
    Microsoft::WRL::ComPtr<IWbemLocator> locator;
};
