#pragma once
// The test host's own late-bound objects: an IDispatch whose members are named functions, and
// on it the host's Application over an in-memory state, the ribbon UI handed to the load
// callback and the ribbon control a callback is called for. Every object records the member
// names it was asked for.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cwtest {

class TestObject : public IDispatch {
public:
    // A member: called with the arguments first argument first, its answer in `result`.
    using Member = std::function<HRESULT(WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result)>;

    void define(const std::wstring& name, Member member);
    // A property held in the object: read, and written when `writable`.
    void property(const std::wstring& name, const VARIANT& initial, bool writable);
    const VARIANT& value(const std::wstring& name) const;
    // Holds the one reference on an object this one hands out (released with this object).
    void keep(IDispatch* object);

    std::vector<std::wstring> asked;   // names asked through GetIDsOfNames, as given
    std::vector<std::wstring> called;  // members invoked, by their own names

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

    virtual ~TestObject();

private:
    long references_ = 1;
    std::vector<std::wstring> names_;
    std::vector<Member> members_;
    std::map<std::wstring, VARIANT> values_;
    std::vector<IDispatch*> kept_;
};

// The host's Application: Version, the settings the add-in reads and writes, and an empty
// Workbooks list (no workbook open).
TestObject* makeApplication(const std::wstring& version);
// The ribbon UI: Invalidate and InvalidateControl, which record their calls in `called`.
TestObject* makeRibbonUI(std::vector<std::wstring>& invalidated);
// A ribbon control with the given Id.
TestObject* makeRibbonControl(const std::wstring& id);

}  // namespace cwtest
