#pragma once

#include "support/kelErrorCodeProvider.h"
#include "support/kelWinVariant.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

// An in-memory WMI namespace answering the WMI interfaces the way the
// platform does for the calls the program makes: queries hand back copies
// of the instances as they are at the time of the query, classes are
// fetched by name, methods run on instances addressed by their path and are
// recorded with their input parameters. Every other interface method
// returns E_NOTIMPL.
//
// The namespace owns every COM object it hands out and keeps them until it
// is destroyed, so an extra Release is counted instead of freeing memory
// still in use, and liveObjects() tells what was never released.

struct FakeWmiProperty {
    std::shared_ptr<const kelWinVariant> value;
    CIMTYPE type = CIM_EMPTY;
};
using FakeWmiProperties = std::map<std::wstring, FakeWmiProperty>;

struct FakeWmiClass {
    std::vector<FakeWmiProperties> instances;
    // Each method's input parameter names; a method without any has a null
    // input signature, as on the platform.
    std::map<std::wstring, std::vector<std::wstring>> methods;
};

struct FakeWmiMethodCall {
    std::wstring path;
    std::wstring method;
    FakeWmiProperties inputs;
};

// One Release call: on which thread, and whether that thread was still in
// a single-threaded apartment, as the thread that made the object is.
struct FakeComRelease {
    DWORD thread;
    bool inSingleThreadedApartment;
};

// Reference counting shared by every fake COM object.
class FakeComCounted {
public:
    virtual ~FakeComCounted() = default;
    ULONG references = 1;
};

class FakeWmiNamespace {
public:
    std::wstring name = L"root\\wmi";
    std::map<std::wstring, FakeWmiClass> classes;

    // Failures on demand.
    HRESULT connectResult = S_OK;
    HRESULT queryResult = S_OK;
    HRESULT execMethodResult = S_OK;
    std::set<std::wstring> refusedPuts;

    // What the program did.
    std::vector<std::wstring> queries;
    std::vector<std::wstring> propertyReads;
    std::vector<FakeWmiMethodCall> methodCalls;
    int overReleases = 0;

    FakeWmiProperties& addInstance(const std::wstring& className, FakeWmiProperties properties);
    // The path the namespace gives an instance and accepts in ExecMethod.
    std::wstring pathOf(const std::wstring& className, const FakeWmiProperties& instance) const;

    // A new COM object holding one reference for its first holder.
    template <class Object, class... Args>
    Object* make(Args&&... args)
    {
        auto object = std::make_unique<Object>(*this, std::forward<Args>(args)...);
        Object* handedOut = object.get();
        objects.push_back(std::move(object));
        return handedOut;
    }
    // COM objects handed out and not yet released.
    int liveObjects() const;

    // Every Release call so far, from whichever thread made it.
    void noteRelease();
    std::vector<FakeComRelease> releases() const;

private:
    std::vector<std::unique_ptr<FakeComCounted>> objects;
    mutable std::mutex releasesMutex;
    std::vector<FakeComRelease> releaseCalls;
};

std::shared_ptr<const kelWinVariant> fakeText(const std::wstring& text);
std::shared_ptr<const kelWinVariant> fakeInteger(VARTYPE type, long long value);
// A one-dimensional array of elementType holding the values, truncated to the element size.
std::shared_ptr<const kelWinVariant> fakeIntegerArray(VARTYPE elementType, const std::vector<long long>& values);
// The character codes of text, as WMI gives monitor names.
std::shared_ptr<const kelWinVariant> fakeCodes(const std::wstring& text, VARTYPE elementType = VT_I4);

// The WMI side of a laptop's built-in panel: its monitor id (manufacturer
// "SDC", product "4152", serial "0", named "Built-in Panel"), its brightness
// instance at 70 and its brightness-methods instance with WmiSetBrightness.
void addFakeWmiPanel(FakeWmiNamespace& space, const std::wstring& instanceName);

// The last failing result a WMI wrapper kept, comparable with the WBEM
// codes, which the platform headers declare as unsigned enumerators.
inline HRESULT lastResultOf(const kelErrorCodeProvider& object)
{
    return static_cast<HRESULT>(object.errorCode().value());
}

// Takes over the one reference a fresh fake object holds. Not ComPtr::Attach:
// mingw's adds a reference of its own.
template <class Interface>
Microsoft::WRL::ComPtr<Interface> adoptFake(Interface* fresh)
{
    Microsoft::WRL::ComPtr<Interface> owner;
    *owner.GetAddressOf() = fresh;
    return owner;
}

template <class Interface>
class FakeComObject : public Interface, public FakeComCounted {
public:
    explicit FakeComObject(FakeWmiNamespace& space) : space(space) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (interfaceId != IID_IUnknown && interfaceId != __uuidof(Interface)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        space.noteRelease();
        if (references == 0) {
            ++space.overReleases;
            return 0;
        }
        return --references;
    }

protected:
    FakeWmiNamespace& space;
};

class FakeWbemLocator : public FakeComObject<IWbemLocator> {
public:
    using FakeComObject::FakeComObject;

    HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR networkResource, const BSTR user, const BSTR password,
                                            const BSTR locale, LONG securityFlags, const BSTR authority,
                                            IWbemContext* context, IWbemServices** services) override;
};

class FakeWbemServices : public FakeComObject<IWbemServices> {
public:
    using FakeComObject::FakeComObject;

    HRESULT STDMETHODCALLTYPE GetObject(const BSTR objectPath, LONG flags, IWbemContext* context,
                                        IWbemClassObject** object, IWbemCallResult** callResult) override;
    HRESULT STDMETHODCALLTYPE ExecQuery(const BSTR language, const BSTR query, LONG flags, IWbemContext* context,
                                        IEnumWbemClassObject** enumerator) override;
    HRESULT STDMETHODCALLTYPE ExecMethod(const BSTR objectPath, const BSTR methodName, LONG flags,
                                         IWbemContext* context, IWbemClassObject* inParameters,
                                         IWbemClassObject** outParameters, IWbemCallResult** callResult) override;

    HRESULT STDMETHODCALLTYPE OpenNamespace(const BSTR, LONG, IWbemContext*, IWbemServices**,
                                            IWbemCallResult**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CancelAsyncCall(IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryObjectSink(LONG, IWbemObjectSink**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetObjectAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PutClass(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PutClassAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteClass(const BSTR, LONG, IWbemContext*, IWbemCallResult**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteClassAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateClassEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateClassEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PutInstance(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PutInstanceAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteInstance(const BSTR, LONG, IWbemContext*, IWbemCallResult**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteInstanceAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateInstanceEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateInstanceEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ExecQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ExecNotificationQuery(const BSTR, const BSTR, LONG, IWbemContext*,
                                                    IEnumWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ExecNotificationQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*,
                                                         IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ExecMethodAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*,
                                              IWbemObjectSink*) override
    {
        return E_NOTIMPL;
    }
};

// Hands out copies of the instances a query found, one per Next.
class FakeEnumWbemClassObject : public FakeComObject<IEnumWbemClassObject> {
public:
    FakeEnumWbemClassObject(FakeWmiNamespace& space, std::wstring className, std::vector<FakeWmiProperties> found)
        : FakeComObject(space), className(std::move(className)), found(std::move(found))
    {
    }

    HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG count, IWbemClassObject** objects, ULONG* returned) override;

    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(LONG, ULONG) override { return E_NOTIMPL; }

private:
    std::wstring className;
    std::vector<FakeWmiProperties> found;
    size_t next = 0;
};

class FakeWbemClassObject : public FakeComObject<IWbemClassObject> {
public:
    enum class Kind {
        Instance,   // a copy of a namespace instance
        Class,      // a class definition, with the class's methods
        Parameters, // a method's input signature
        Spawned,    // a new instance of a class or of a method's parameters
    };

    FakeWbemClassObject(FakeWmiNamespace& space, Kind kind, std::wstring className, FakeWmiProperties properties);

    Kind kind;
    std::wstring className;
    FakeWmiProperties properties;

    HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE* type, LONG* flavor) override;
    HRESULT STDMETHODCALLTYPE Put(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE type) override;
    HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR name, LONG flags, IWbemClassObject** inSignature,
                                        IWbemClassObject** outSignature) override;
    HRESULT STDMETHODCALLTYPE SpawnInstance(LONG flags, IWbemClassObject** instance) override;

    HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Next(LONG, BSTR*, VARIANT*, CIMTYPE*, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndEnumeration() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }
};
