#include "backends/WbemServices.h"

#include "backends/WbemClassObject.h"
#include "support/kelWinBstr.h"

using Microsoft::WRL::ComPtr;

WbemServices::WbemServices(ComPtr<IWbemServices> services) : services(std::move(services))
{
}

std::vector<std::shared_ptr<WbemClassObject>> WbemServices::query(const std::wstring& className)
{
    const kelWinBstr language(L"WQL");
    const kelWinBstr text(L"Select * from " + className);
    ComPtr<IEnumWbemClassObject> enumerator;
    const HRESULT queried = services->ExecQuery(language.get(), text.get(), 0, nullptr, &enumerator);
    if (!delivered(queried, enumerator.Get()))
        return {};
    std::vector<std::shared_ptr<WbemClassObject>> instances;
    for (;;) {
        ComPtr<IWbemClassObject> instance;
        ULONG returned = 0;
        const HRESULT result = enumerator->Next(WBEM_INFINITE, 1, &instance, &returned);
        if (returned == 1 && instance)
            instances.push_back(std::make_shared<WbemClassObject>(std::move(instance), className, services));
        // An enumerator that reports success yet hands back nothing would
        // otherwise be asked forever.
        if (result != WBEM_S_NO_ERROR || returned == 0) {
            if (FAILED(result))
                keepError(result);
            return instances;
        }
    }
}
