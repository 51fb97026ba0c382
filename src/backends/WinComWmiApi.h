#pragma once

#include "backends/WinWmiApi.h"

// The WMI set-up calls as COM itself answers them.
class WinComWmiApi : public WinWmiApi {
public:
    HRESULT createInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                           void** object) override;
    HRESULT setProxyBlanket(IUnknown* proxy, DWORD authenticationService, DWORD authorizationService,
                            OLECHAR* principalName, DWORD authenticationLevel, DWORD impersonationLevel,
                            RPC_AUTH_IDENTITY_HANDLE identity, DWORD capabilities) override;
};
