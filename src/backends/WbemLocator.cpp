#include "backends/WbemLocator.h"

#include "backends/WbemServices.h"
#include "backends/WinWmiApi.h"
#include "support/kelWinBstr.h"

using Microsoft::WRL::ComPtr;

WbemLocator::WbemLocator(std::shared_ptr<WinWmiApi> api) : api(std::move(api))
{
}

std::shared_ptr<WbemServices> WbemLocator::connect(const std::wstring& nameSpace)
{
    if (locator) {
        keepError(E_UNEXPECTED);
        return {};
    }
    const HRESULT created = api->createInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                                reinterpret_cast<void**>(locator.ReleaseAndGetAddressOf()));
    if (!delivered(created, locator.Get()))
        return {};
    const kelWinBstr path(nameSpace);
    ComPtr<IWbemServices> services;
    const HRESULT connected =
        locator->ConnectServer(path.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
    if (!delivered(connected, services.Get()))
        return {};
    // The services proxy must impersonate the caller, or WMI refuses its calls.
    if (!succeeded(api->setProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                        RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)))
        return {};
    return std::make_shared<WbemServices>(std::move(services));
}
