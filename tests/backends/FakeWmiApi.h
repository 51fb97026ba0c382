#pragma once

#include "backends/WinWmiApi.h"
#include "backends/WinFakeWmi.h"

#include <vector>

// Creates locators of a fake WMI namespace, and records the proxy security
// the program asks for.
class FakeWmiApi : public WinWmiApi {
public:
    struct Blanket {
        IUnknown* proxy;
        DWORD authenticationService;
        DWORD authorizationService;
        bool hasPrincipalName;
        DWORD authenticationLevel;
        DWORD impersonationLevel;
        bool hasIdentity;
        DWORD capabilities;
    };

    explicit FakeWmiApi(FakeWmiNamespace& space) : space(space) {}

    HRESULT createResult = S_OK;
    HRESULT blanketResult = S_OK;
    int locatorsCreated = 0;
    std::vector<Blanket> blankets;

    HRESULT createInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                           void** object) override
    {
        *object = nullptr;
        if (FAILED(createResult))
            return createResult;
        if (classId != CLSID_WbemLocator || outer != nullptr || context != CLSCTX_INPROC_SERVER)
            return REGDB_E_CLASSNOTREG;
        if (interfaceId != IID_IWbemLocator)
            return E_NOINTERFACE;
        ++locatorsCreated;
        *object = static_cast<IWbemLocator*>(space.make<FakeWbemLocator>());
        return S_OK;
    }

    HRESULT setProxyBlanket(IUnknown* proxy, DWORD authenticationService, DWORD authorizationService,
                            OLECHAR* principalName, DWORD authenticationLevel, DWORD impersonationLevel,
                            RPC_AUTH_IDENTITY_HANDLE identity, DWORD capabilities) override
    {
        blankets.push_back({proxy, authenticationService, authorizationService, principalName != nullptr,
                            authenticationLevel, impersonationLevel, identity != nullptr, capabilities});
        return blanketResult;
    }

private:
    FakeWmiNamespace& space;
};
