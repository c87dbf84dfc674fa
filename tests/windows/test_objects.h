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
    // A property held in the object (which takes `initial` over): read, and written when `writable`.
    void property(const std::wstring& name, VARIANT initial, bool writable);
    const VARIANT& value(const std::wstring& name) const;
    void setNumber(const std::wstring& name, long value);
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

// What the host's lists hold, for the checks.
struct HostLists {
    TestObject* workbooks = nullptr;      // Workbooks: its Count
    TestObject* companion = nullptr;      // AddIns: "Cellwash Kit 5.0.xla", titled "Cellwash Pro Tool"
    TestObject* comAddIn = nullptr;       // COMAddIns: "CellwashKit.Connect"
    IDispatch* addin = nullptr;           // the add-in as created (not held): disconnected when Connect goes False
    int disconnections = 0;               // OnDisconnection calls made by the list
    std::vector<bool> replaceTextWrites;  // AutoCorrect.ReplaceText as the add-in set it, in order
};

// The host's Application: Version, the settings the add-in reads and writes, an empty Workbooks
// list (no workbook open), the add-in workbook list with the companion listed but not installed,
// and the COM add-in list holding this add-in, connected; setting its Connect to False disconnects
// the add-in as the host does (OnDisconnection, ext_dm_UserClosed).
TestObject* makeApplication(const std::wstring& version, HostLists& lists);
// The ribbon UI: Invalidate and InvalidateControl, which record their calls in `called`.
TestObject* makeRibbonUI(std::vector<std::wstring>& invalidated);
// A ribbon control with the given Id.
TestObject* makeRibbonControl(const std::wstring& id);

}  // namespace cwtest
