#include "backends/WinComWmiApi.h"

HRESULT WinComWmiApi::createInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                                     void** object)
{
    return CoCreateInstance(classId, outer, context, interfaceId, object);
}

HRESULT WinComWmiApi::setProxyBlanket(IUnknown* proxy, DWORD authenticationService, DWORD authorizationService,
                                      OLECHAR* principalName, DWORD authenticationLevel, DWORD impersonationLevel,
                                      RPC_AUTH_IDENTITY_HANDLE identity, DWORD capabilities)
{
    return CoSetProxyBlanket(proxy, authenticationService, authorizationService, principalName, authenticationLevel,
                             impersonationLevel, identity, capabilities);
}
