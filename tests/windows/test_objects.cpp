#include "tests/windows/test_objects.h"

#include <cwctype>

namespace cwtest {

namespace {

std::wstring fold(std::wstring name) {
    for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

}  // namespace

TestObject::~TestObject() {
    for (auto& [name, value] : values_) VariantClear(&value);
    for (IDispatch* object : kept_) object->Release();
}

void TestObject::keep(IDispatch* object) { kept_.push_back(object); }

// A name defined again keeps its identifier (callers cache it) and takes the new member.
void TestObject::define(const std::wstring& name, Member member) {
    for (size_t m = 0; m < names_.size(); ++m)
        if (fold(names_[m]) == fold(name)) {
            members_[m] = std::move(member);
            return;
        }
    names_.push_back(name);
    members_.push_back(std::move(member));
}

void TestObject::property(const std::wstring& name, VARIANT initial, bool writable) {
    values_[name] = initial;  // the object owns the value from here
    define(name, [this, name, writable](WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result) -> HRESULT {
        VARIANT& held = values_[name];
        if (flags & DISPATCH_PROPERTYPUT) {
            if (!writable || arguments.size() != 1) return DISP_E_MEMBERNOTFOUND;
            VariantClear(&held);
            return VariantCopy(&held, arguments[0]);
        }
        if (!result) return S_OK;
        VariantInit(result);
        return VariantCopy(result, &held);
    });
}

const VARIANT& TestObject::value(const std::wstring& name) const { return values_.at(name); }

void TestObject::setNumber(const std::wstring& name, long value) {
    VARIANT& held = values_.at(name);
    VariantClear(&held);
    held.vt = VT_I4;
    held.lVal = value;
}

HRESULT TestObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TestObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG TestObject::Release() {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT TestObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT TestObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

// Names are matched without regard to case, as the host matches them.
HRESULT TestObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        asked.emplace_back(names[i]);
        ids[i] = DISPID_UNKNOWN;
        for (size_t m = 0; m < names_.size(); ++m)
            if (fold(names_[m]) == fold(names[i])) ids[i] = static_cast<DISPID>(m + 1);
        if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT TestObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                           UINT*) {
    if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    std::vector<VARIANT*> arguments;
    for (UINT i = 0; params && i < params->cArgs; ++i) arguments.push_back(&params->rgvarg[params->cArgs - 1 - i]);
    called.push_back(names_[static_cast<size_t>(id - 1)]);
    return members_[static_cast<size_t>(id - 1)](flags, arguments, result);
}

namespace {

VARIANT text(const wchar_t* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    return v;
}

VARIANT flag(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT number(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

}  // namespace

namespace {

// A member answering an object (a new reference each time).
TestObject::Member objectMember(IDispatch* object) {
    return [object](WORD, std::vector<VARIANT*>&, VARIANT* result) {
        if (!result) return S_OK;
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = object;
        if (object) object->AddRef();
        return S_OK;
    };
}

bool isText(const VARIANT* v, const wchar_t* text) {
    return v && v->vt == VT_BSTR && v->bstrVal && std::wstring(v->bstrVal) == text;
}

}  // namespace

TestObject* makeApplication(const std::wstring& version, HostLists& lists) {
    auto* app = new TestObject();
    app->property(L"Version", text(version.c_str()), false);
    app->property(L"ScreenUpdating", flag(true), true);
    app->property(L"DisplayAlerts", flag(true), true);
    app->property(L"EnableEvents", flag(true), true);
    app->property(L"Calculation", number(-4105), true);  // xlCalculationAutomatic
    app->property(L"EnableCancelKey", number(1), true);
    app->property(L"StatusBar", flag(false), true);
    app->property(L"CutCopyMode", flag(false), true);
    // No workbook is open: an empty Workbooks list and Nothing as the active workbook.
    auto* books = new TestObject();
    books->property(L"Count", number(0), false);
    app->define(L"Workbooks", [books](WORD, std::vector<VARIANT*>&, VARIANT* result) {
        if (!result) return S_OK;
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = books;
        books->AddRef();
        return S_OK;
    });
    app->define(L"ActiveWorkbook", [](WORD, std::vector<VARIANT*>&, VARIANT* result) {
        if (!result) return S_OK;
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = nullptr;  // Nothing
        return S_OK;
    });
    app->keep(books);
    lists.workbooks = books;

    // AutoCorrect: ReplaceText on, every write recorded.
    auto* autoCorrect = new TestObject();
    autoCorrect->property(L"ReplaceText", flag(true), true);
    autoCorrect->define(L"ReplaceText",
                        [autoCorrect, &lists](WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result) {
                            VARIANT& held = const_cast<VARIANT&>(autoCorrect->value(L"ReplaceText"));
                            if (flags & DISPATCH_PROPERTYPUT) {
                                if (arguments.size() != 1 || arguments[0]->vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
                                held.boolVal = arguments[0]->boolVal;
                                lists.replaceTextWrites.push_back(held.boolVal != VARIANT_FALSE);
                                return S_OK;
                            }
                            if (result) {
                                VariantInit(result);
                                VariantCopy(result, &held);
                            }
                            return S_OK;
                        });
    app->define(L"AutoCorrect", objectMember(autoCorrect));
    app->keep(autoCorrect);

    // The add-in workbook list: the companion, listed and not installed.
    auto* companion = new TestObject();
    companion->property(L"Name", text(L"Cellwash Kit 5.0.xla"), false);
    companion->property(L"FullName", text(L"C:\\Addins\\Cellwash Kit 5.0.xla"), false);
    companion->property(L"Title", text(L"Cellwash Pro Tool"), false);
    companion->property(L"Installed", flag(false), true);
    auto* addIns = new TestObject();
    addIns->property(L"Count", number(1), false);
    addIns->define(L"Item", [companion](WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result) {
        if (arguments.size() != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT index;
        VariantInit(&index);
        const bool first = SUCCEEDED(VariantChangeType(&index, arguments[0], 0, VT_I4)) && index.lVal == 1;
        if (!first && !isText(arguments[0], L"Cellwash Pro Tool")) return DISP_E_BADINDEX;
        return objectMember(companion)(flags, arguments, result);
    });
    app->define(L"AddIns", objectMember(addIns));
    app->keep(addIns);
    addIns->keep(companion);
    lists.companion = companion;

    // The COM add-in list: this add-in, connected.
    auto* comAddIn = new TestObject();
    comAddIn->property(L"ProgId", text(L"CellwashKit.Connect"), false);
    comAddIn->property(L"Description", text(L"Cellwash Kit"), false);
    comAddIn->property(L"Connect", flag(true), false);
    comAddIn->define(L"Connect", [comAddIn, &lists](WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result) {
        VARIANT& held = const_cast<VARIANT&>(comAddIn->value(L"Connect"));
        if (!(flags & DISPATCH_PROPERTYPUT)) {
            if (result) {
                VariantInit(result);
                VariantCopy(result, &held);
            }
            return S_OK;
        }
        if (arguments.size() != 1 || arguments[0]->vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
        const bool wasConnected = held.boolVal != VARIANT_FALSE;
        held.boolVal = arguments[0]->boolVal;
        if (wasConnected && held.boolVal == VARIANT_FALSE && lists.addin) {
            // The host disconnects the add-in: OnDisconnection(ext_dm_UserClosed, custom).
            std::wstring name = L"OnDisconnection";
            LPOLESTR names[] = {name.data()};
            DISPID id = DISPID_UNKNOWN;
            if (FAILED(lists.addin->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return E_FAIL;
            VARIANT parameters[2];
            VariantInit(&parameters[0]);  // custom (last argument first)
            VariantInit(&parameters[1]);
            parameters[1].vt = VT_I4;
            parameters[1].lVal = 1;
            DISPPARAMS call{parameters, nullptr, 2, 0};
            const HRESULT outcome = lists.addin->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &call,
                                                        nullptr, nullptr, nullptr);
            if (SUCCEEDED(outcome)) ++lists.disconnections;
            return outcome;
        }
        return S_OK;
    });
    auto* comAddIns = new TestObject();
    comAddIns->property(L"Count", number(1), false);
    comAddIns->define(L"Item", [comAddIn](WORD flags, std::vector<VARIANT*>& arguments, VARIANT* result) {
        if (arguments.size() != 1) return DISP_E_BADPARAMCOUNT;
        if (!isText(arguments[0], L"CellwashKit.Connect")) return DISP_E_BADINDEX;
        return objectMember(comAddIn)(flags, arguments, result);
    });
    app->define(L"COMAddIns", objectMember(comAddIns));
    app->keep(comAddIns);
    comAddIns->keep(comAddIn);
    lists.comAddIn = comAddIn;
    return app;
}

TestObject* makeRibbonUI(std::vector<std::wstring>& invalidated) {
    auto* ribbon = new TestObject();
    ribbon->define(L"Invalidate", [&invalidated](WORD, std::vector<VARIANT*>&, VARIANT*) {
        invalidated.push_back(L"*");
        return S_OK;
    });
    ribbon->define(L"InvalidateControl", [&invalidated](WORD, std::vector<VARIANT*>& arguments, VARIANT*) {
        if (arguments.size() != 1 || arguments[0]->vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
        invalidated.emplace_back(arguments[0]->bstrVal);
        return S_OK;
    });
    return ribbon;
}

TestObject* makeRibbonControl(const std::wstring& id) {
    auto* control = new TestObject();
    control->property(L"Id", text(id.c_str()), false);
    return control;
}

}  // namespace cwtest
