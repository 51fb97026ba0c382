#pragma once

#include <windows.h>
#include <objbase.h>

// The COM calls the WMI wrappers make that are not methods of a WMI
// interface: creating the locator and setting the security of the proxy it
// hands back. Everything after that goes through the WMI interfaces, which
// tests replace with in-process objects.
class WinWmiApi {
public:
    virtual HRESULT createInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                                   void** object) = 0;
    virtual HRESULT setProxyBlanket(IUnknown* proxy, DWORD authenticationService, DWORD authorizationService,
                                    OLECHAR* principalName, DWORD authenticationLevel, DWORD impersonationLevel,
                                    RPC_AUTH_IDENTITY_HANDLE identity, DWORD capabilities) = 0;
    virtual ~WinWmiApi() = default;
};
