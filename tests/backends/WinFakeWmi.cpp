#include "backends/WinFakeWmi.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

std::shared_ptr<const kelWinVariant> fakeNull()
{
    auto value = std::make_shared<kelWinVariant>();
    value->receive()->vt = VT_NULL;
    return value;
}

bool startsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix)
{
    return text.size() >= prefix.size() && _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::wstring textOf(BSTR text)
{
    return text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// The same property names with null values: what a fresh instance or an
// unfilled parameter object holds.
FakeWmiProperties emptied(const FakeWmiProperties& properties)
{
    FakeWmiProperties names;
    for (const auto& [name, property] : properties)
        names[name] = {fakeNull(), property.type};
    return names;
}

} // namespace

FakeWmiProperties& FakeWmiNamespace::addInstance(const std::wstring& className, FakeWmiProperties properties)
{
    auto& instances = classes[className].instances;
    instances.push_back(std::move(properties));
    return instances.back();
}

std::wstring FakeWmiNamespace::pathOf(const std::wstring& className, const FakeWmiProperties& instance) const
{
    std::wstring key;
    const auto found = instance.find(L"InstanceName");
    if (found != instance.end() && found->second.value->get().vt == VT_BSTR)
        key = textOf(found->second.value->get().bstrVal);
    return L"\\\\.\\" + name + L":" + className + L".InstanceName=\"" + key + L"\"";
}

int FakeWmiNamespace::liveObjects() const
{
    return static_cast<int>(std::count_if(objects.begin(), objects.end(),
                                          [](const auto& object) { return object->references > 0; }));
}

void FakeWmiNamespace::noteRelease()
{
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    // A thread outside any apartment may still find itself in the process's
    // implicit multithreaded one; only a single-threaded apartment is the
    // worker's own.
    const bool singleThreaded =
        SUCCEEDED(CoGetApartmentType(&type, &qualifier)) && (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    const std::lock_guard lock(releasesMutex);
    releaseCalls.push_back({GetCurrentThreadId(), singleThreaded});
}

std::vector<FakeComRelease> FakeWmiNamespace::releases() const
{
    const std::lock_guard lock(releasesMutex);
    return releaseCalls;
}

std::shared_ptr<const kelWinVariant> fakeText(const std::wstring& text)
{
    return std::make_shared<kelWinVariant>(kelWinVariant::text(text));
}

std::shared_ptr<const kelWinVariant> fakeInteger(VARTYPE type, long long value)
{
    auto variant = std::make_shared<kelWinVariant>();
    VARIANT* raw = variant->receive();
    raw->vt = type;
    // Every integer member of the union starts at the same address.
    std::memcpy(&raw->llVal, &value, sizeof(value));
    return variant;
}

std::shared_ptr<const kelWinVariant> fakeIntegerArray(VARTYPE elementType, const std::vector<long long>& values)
{
    SAFEARRAY* array = SafeArrayCreateVector(elementType, 0, static_cast<ULONG>(values.size()));
    if (array == nullptr)
        throw std::bad_alloc();
    const UINT size = SafeArrayGetElemsize(array);
    char* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    for (size_t index = 0; index < values.size(); ++index)
        std::memcpy(data + index * size, &values[index], size);
    SafeArrayUnaccessData(array);
    auto variant = std::make_shared<kelWinVariant>();
    VARIANT* raw = variant->receive();
    raw->vt = VT_ARRAY | elementType;
    raw->parray = array;
    return variant;
}

std::shared_ptr<const kelWinVariant> fakeCodes(const std::wstring& text, VARTYPE elementType)
{
    return fakeIntegerArray(elementType, std::vector<long long>(text.begin(), text.end()));
}

void addFakeWmiPanel(FakeWmiNamespace& space, const std::wstring& instanceName)
{
    space.addInstance(L"WmiMonitorID", {{L"InstanceName", {fakeText(instanceName)}},
                                        {L"ManufacturerName", {fakeCodes(L"SDC")}},
                                        {L"ProductCodeID", {fakeCodes(L"4152")}},
                                        {L"SerialNumberID", {fakeCodes(L"0")}},
                                        {L"UserFriendlyName", {fakeCodes(L"Built-in Panel")}}});
    space.addInstance(L"WmiMonitorBrightness", {{L"InstanceName", {fakeText(instanceName)}},
                                                {L"CurrentBrightness", {fakeInteger(VT_UI1, 70)}}});
    space.addInstance(L"WmiMonitorBrightnessMethods", {{L"InstanceName", {fakeText(instanceName)}}});
    space.classes[L"WmiMonitorBrightnessMethods"].methods = {{L"WmiSetBrightness", {L"Timeout", L"Brightness"}}};
}

HRESULT FakeWbemLocator::ConnectServer(const BSTR networkResource, const BSTR, const BSTR, const BSTR, LONG,
                                       const BSTR, IWbemContext*, IWbemServices** services)
{
    if (services == nullptr)
        return WBEM_E_INVALID_PARAMETER;
    *services = nullptr;
    if (FAILED(space.connectResult))
        return space.connectResult;
    if (_wcsicmp(textOf(networkResource).c_str(), space.name.c_str()) != 0)
        return WBEM_E_INVALID_NAMESPACE;
    *services = space.make<FakeWbemServices>();
    return S_OK;
}

HRESULT FakeWbemServices::GetObject(const BSTR objectPath, LONG, IWbemContext*, IWbemClassObject** object,
                                    IWbemCallResult** callResult)
{
    if (object == nullptr)
        return WBEM_E_INVALID_PARAMETER;
    *object = nullptr;
    if (callResult != nullptr)
        *callResult = nullptr;
    const std::wstring className = textOf(objectPath);
    if (space.classes.count(className) == 0)
        return WBEM_E_NOT_FOUND;
    *object = space.make<FakeWbemClassObject>(FakeWbemClassObject::Kind::Class, className, FakeWmiProperties{});
    return S_OK;
}

HRESULT FakeWbemServices::ExecQuery(const BSTR language, const BSTR query, LONG, IWbemContext*,
                                    IEnumWbemClassObject** enumerator)
{
    if (enumerator == nullptr)
        return WBEM_E_INVALID_PARAMETER;
    *enumerator = nullptr;
    const std::wstring text = textOf(query);
    space.queries.push_back(text);
    if (FAILED(space.queryResult))
        return space.queryResult;
    static const std::wstring selectAll = L"Select * from ";
    if (_wcsicmp(textOf(language).c_str(), L"WQL") != 0 || !startsWithIgnoringCase(text, selectAll))
        return WBEM_E_INVALID_QUERY;
    const auto found = space.classes.find(text.substr(selectAll.size()));
    if (found == space.classes.end())
        return WBEM_E_INVALID_CLASS;
    *enumerator = space.make<FakeEnumWbemClassObject>(found->first, found->second.instances);
    return S_OK;
}

HRESULT FakeWbemServices::ExecMethod(const BSTR objectPath, const BSTR methodName, LONG, IWbemContext*,
                                     IWbemClassObject* inParameters, IWbemClassObject** outParameters,
                                     IWbemCallResult** callResult)
{
    if (outParameters != nullptr)
        *outParameters = nullptr;
    if (callResult != nullptr)
        *callResult = nullptr;
    const std::wstring path = textOf(objectPath);
    for (const auto& [className, definition] : space.classes) {
        for (const auto& instance : definition.instances) {
            if (space.pathOf(className, instance) != path)
                continue;
            const std::wstring method = textOf(methodName);
            if (definition.methods.count(method) == 0)
                return WBEM_E_INVALID_METHOD;
            const auto* inputs = dynamic_cast<FakeWbemClassObject*>(inParameters);
            space.methodCalls.push_back({path, method, inputs != nullptr ? inputs->properties : FakeWmiProperties{}});
            return space.execMethodResult;
        }
    }
    return WBEM_E_NOT_FOUND;
}

HRESULT FakeEnumWbemClassObject::Next(LONG, ULONG count, IWbemClassObject** objects, ULONG* returned)
{
    if (objects == nullptr || returned == nullptr)
        return WBEM_E_INVALID_PARAMETER;
    *returned = 0;
    while (*returned < count && next < found.size()) {
        objects[*returned] =
            space.make<FakeWbemClassObject>(FakeWbemClassObject::Kind::Instance, className, found[next++]);
        ++*returned;
    }
    return *returned == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}

FakeWbemClassObject::FakeWbemClassObject(FakeWmiNamespace& space, Kind kind, std::wstring className,
                                         FakeWmiProperties properties)
    : FakeComObject(space), kind(kind), className(std::move(className)), properties(std::move(properties))
{
    // Only instances that exist in the namespace have a path.
    this->properties[L"__PATH"] = {kind == Kind::Instance ? fakeText(space.pathOf(this->className, this->properties))
                                                          : fakeNull(),
                                   CIM_STRING};
}

HRESULT FakeWbemClassObject::Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE* type, LONG* flavor)
{
    space.propertyReads.push_back(name);
    const auto found = properties.find(name);
    if (found == properties.end())
        return WBEM_E_NOT_FOUND;
    if (value != nullptr) {
        // As on the platform, whatever the variant held is overwritten, not freed.
        VariantInit(value);
        VariantCopy(value, const_cast<VARIANT*>(&found->second.value->get()));
    }
    if (type != nullptr)
        *type = found->second.type;
    if (flavor != nullptr)
        *flavor = 0;
    return WBEM_S_NO_ERROR;
}

HRESULT FakeWbemClassObject::Put(LPCWSTR name, LONG, VARIANT* value, CIMTYPE type)
{
    if (space.refusedPuts.count(name) != 0)
        return WBEM_E_TYPE_MISMATCH;
    const auto found = properties.find(name);
    if (found == properties.end())
        return WBEM_E_NOT_FOUND;
    auto copy = std::make_shared<kelWinVariant>();
    if (value != nullptr)
        VariantCopy(copy->receive(), value);
    found->second = {std::move(copy), type};
    return WBEM_S_NO_ERROR;
}

HRESULT FakeWbemClassObject::GetMethod(LPCWSTR name, LONG, IWbemClassObject** inSignature,
                                       IWbemClassObject** outSignature)
{
    if (inSignature != nullptr)
        *inSignature = nullptr;
    if (outSignature != nullptr)
        *outSignature = nullptr;
    if (kind != Kind::Class)
        return WBEM_E_ILLEGAL_OPERATION;
    const auto& methods = space.classes[className].methods;
    const auto method = methods.find(name);
    if (method == methods.end())
        return WBEM_E_NOT_FOUND;
    FakeWmiProperties parameters;
    for (const auto& parameter : method->second)
        parameters[parameter] = {fakeNull(), CIM_EMPTY};
    if (inSignature != nullptr && !parameters.empty())
        *inSignature = space.make<FakeWbemClassObject>(Kind::Parameters, L"__PARAMETERS", parameters);
    if (outSignature != nullptr)
        *outSignature = space.make<FakeWbemClassObject>(Kind::Parameters, L"__PARAMETERS", FakeWmiProperties{});
    return WBEM_S_NO_ERROR;
}

HRESULT FakeWbemClassObject::SpawnInstance(LONG, IWbemClassObject** instance)
{
    if (instance == nullptr)
        return WBEM_E_INVALID_PARAMETER;
    *instance = nullptr;
    if (kind != Kind::Class && kind != Kind::Parameters)
        return WBEM_E_ILLEGAL_OPERATION;
    FakeWmiProperties fresh = emptied(properties);
    fresh.erase(L"__PATH");
    *instance = space.make<FakeWbemClassObject>(Kind::Spawned, className, std::move(fresh));
    return WBEM_S_NO_ERROR;
}
