#include "apps/windows/connect_object.h"

#include <olectl.h>

#include <cstdint>
#include <regex>

#include "apps/windows/module_state.h"
#include "forms/runtime.h"
#include "host/com/com_application.h"
#include "host/com/com_ribbon.h"
#include "host/com/window_driver.h"
#include "host/error.h"
#include "host/text.h"
#include "tools/tool_families.h"

namespace apps::windows {

namespace {

// The add-in connection interface's members, by the names its type library gives.
enum : DISPID {
    idOnConnection = 1,
    idOnDisconnection = 2,
    idOnAddInsUpdate = 3,
    idOnStartupComplete = 4,
    idOnBeginShutdown = 5,
    idGetCustomUI = 6,
    firstCallbackId = 100,
};

std::u16string fold(std::u16string name) {
    for (auto& c : name)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return name;
}

const std::map<std::u16string, DISPID>& interfaceMembers() {
    static const std::map<std::u16string, DISPID> members = {
        {u"onconnection", idOnConnection},       {u"ondisconnection", idOnDisconnection},
        {u"onaddinsupdate", idOnAddInsUpdate},   {u"onstartupcomplete", idOnStartupComplete},
        {u"onbeginshutdown", idOnBeginShutdown}, {u"getcustomui", idGetCustomUI},
    };
    return members;
}

void registerFamiliesOnce() {
    static const bool registered = [] {
        tools::registerToolFamilies();
        return true;
    }();
    (void)registered;
}

// Fills EXCEPINFO with the add-in's error, as a host reports a failed call.
HRESULT reportError(const host::Error& error, EXCEPINFO* exception) {
    if (!exception) return DISP_E_EXCEPTION;
    *exception = EXCEPINFO{};
    exception->scode = static_cast<SCODE>(0x800A0000 | (error.number() & 0xFFFF));
    exception->bstrSource = SysAllocString(L"CellwashKit.Connect");
    exception->bstrDescription = host::com::toBstr(host::utf16(error.what()));
    return DISP_E_EXCEPTION;
}

// The argument `index` of the call, first argument first; nullptr when there are fewer.
VARIANT* argument(DISPPARAMS* params, UINT index) {
    if (!params || index >= params->cArgs) return nullptr;
    return &params->rgvarg[params->cArgs - 1 - index];
}

IDispatch* dispatchOf(VARIANT* v) {
    if (!v) return nullptr;
    if (v->vt == VT_DISPATCH) return v->pdispVal;
    if (v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal) return *v->ppdispVal;
    if (v->vt == VT_UNKNOWN && v->punkVal) {
        IDispatch* d = nullptr;
        if (SUCCEEDED(v->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)))) {
            d->Release();  // the caller's reference keeps it alive for the call
            return d;
        }
    }
    return nullptr;
}

// A .bmp file's bytes (one per character) as the IPictureDisp a host shows on a control.
HRESULT pictureOf(const std::u16string& bytes, VARIANT& out) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return E_OUTOFMEMORY;
    auto* data = static_cast<BYTE*>(GlobalLock(memory));
    for (size_t i = 0; i < bytes.size(); ++i) data[i] = static_cast<BYTE>(bytes[i]);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    HRESULT result = CreateStreamOnHGlobal(memory, TRUE, &stream);
    if (FAILED(result)) {
        GlobalFree(memory);
        return result;
    }
    IPictureDisp* picture = nullptr;
    result = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPictureDisp,
                            reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(result)) return result;
    VariantInit(&out);
    out.vt = VT_DISPATCH;
    out.pdispVal = picture;
    return S_OK;
}

}  // namespace

ConnectObject::ConnectObject() {
    lockModule();
    registerFamiliesOnce();
    connect_ = std::make_shared<shell::Connect>();
}

ConnectObject::~ConnectObject() {
    if (host::com::hostEventDriver() == &windowDriver_) host::com::setHostEventDriver(nullptr);
    unlockModule();
}

HRESULT ConnectObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IDTExtensibility2))
        *object = static_cast<IDTExtensibility2*>(this);
    else if (IsEqualIID(iid, IID_IRibbonExtensibility))
        *object = static_cast<IRibbonExtensibility*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG ConnectObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ConnectObject::Release() {
    const long left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT ConnectObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ConnectObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ConnectObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;  // no named arguments
    const std::u16string name = fold(std::u16string(reinterpret_cast<const char16_t*>(names[0])));
    if (const auto member = interfaceMembers().find(name); member != interfaceMembers().end())
        ids[0] = member->second;
    else
        ids[0] = callbackId(name);  // Invoke answers DISP_E_MEMBERNOTFOUND when the add-in has no such callback
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

DISPID ConnectObject::callbackId(const std::u16string& name) {
    if (const auto known = callbackIds_.find(name); known != callbackIds_.end()) return known->second;
    const DISPID id = firstCallbackId + static_cast<DISPID>(callbackIds_.size());
    callbackIds_.emplace(name, id);
    callbackNames_.emplace(id, name);
    return id;
}

void ConnectObject::learnCallbacks(const std::u16string& xml) {
    static const std::regex attribute(R"re(\b(on[A-Za-z]+|get[A-Za-z]+)\s*=\s*"([A-Za-z_][A-Za-z0-9_]*)")re");
    const std::string text = host::utf8(xml);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), attribute); it != std::sregex_iterator(); ++it) {
        const std::u16string kind = host::utf16((*it)[1].str());
        const std::u16string name = fold(host::utf16((*it)[2].str()));
        callbackId(name);
        if (kind == u"getImage") pictureCallbacks_.insert(name);
        if (kind == u"onLoad") loadCallback_ = name;
    }
}

HRESULT ConnectObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                              UINT* badArgument) {
    if (badArgument) *badArgument = 0;
    SAFEARRAY* noCustom = nullptr;
    auto intOf = [](VARIANT* v) {
        VARIANT number;
        VariantInit(&number);
        if (!v || FAILED(VariantChangeType(&number, v, 0, VT_I4))) return 0;
        return static_cast<int>(number.lVal);
    };
    switch (id) {
    case idOnConnection:
        return OnConnection(dispatchOf(argument(params, 0)), intOf(argument(params, 1)),
                            dispatchOf(argument(params, 2)), &noCustom);
    case idOnDisconnection: return OnDisconnection(intOf(argument(params, 0)), &noCustom);
    case idOnAddInsUpdate: return OnAddInsUpdate(&noCustom);
    case idOnStartupComplete: return OnStartupComplete(&noCustom);
    case idOnBeginShutdown: return OnBeginShutdown(&noCustom);
    case idGetCustomUI: {
        VARIANT* ribbonId = argument(params, 0);
        BSTR xml = nullptr;
        const HRESULT outcome = GetCustomUI(ribbonId && ribbonId->vt == VT_BSTR ? ribbonId->bstrVal : nullptr, &xml);
        if (FAILED(outcome)) return outcome;
        if (result) {
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = xml;
        } else {
            SysFreeString(xml);
        }
        return S_OK;
    }
    default: break;
    }
    const auto name = callbackNames_.find(id);
    if (name == callbackNames_.end()) return DISP_E_MEMBERNOTFOUND;
    return invokeCallback(name->second, params, result, exception);
}

HRESULT ConnectObject::invokeCallback(const std::u16string& name, DISPPARAMS* params, VARIANT* result,
                                      EXCEPINFO* exception) {
    host::RibbonCallback call;
    call.name = name;
    IDispatch* first = dispatchOf(argument(params, 0));
    VARIANT* returnSlot = nullptr;  // a ByRef VARIANT after the control, as a host passes one
    try {
        if (loadCallback_.empty()) learnCallbacks(connect_->IRibbonExtensibility_GetCustomUI(u""));
        if (name == loadCallback_) {
            if (!first) return DISP_E_TYPEMISMATCH;
            call.ribbon = std::make_shared<host::com::ComRibbonUI>(first);
        } else {
            if (!first) return DISP_E_PARAMNOTOPTIONAL;
            call.control = std::make_shared<host::com::ComRibbonControl>(first);
            if (VARIANT* second = argument(params, 1)) {
                if (second->vt == (VT_BYREF | VT_VARIANT))
                    returnSlot = second->pvarVal;
                else if (second->vt == VT_BOOL)
                    call.pressed = second->boolVal != VARIANT_FALSE;
                else if (second->vt == (VT_BYREF | VT_BOOL))
                    call.pressed = *second->pboolVal != VARIANT_FALSE;
            }
        }
        // The add-in's forms show as windows of the host's thread for the time of the call.
        forms::DriverScope windows(windowDriver_);
        if (!connect_->invokeRibbonCallback(call)) return DISP_E_MEMBERNOTFOUND;
    } catch (const host::Error& error) {
        return reportError(error, exception);
    } catch (...) {
        return E_UNEXPECTED;  // nothing of C++ crosses into the host
    }
    if (call.result.isEmpty()) return S_OK;
    VARIANT value;
    VariantInit(&value);
    if (pictureCallbacks_.count(name) && call.result.isText()) {
        const HRESULT made = pictureOf(std::u16string(call.result.text()), value);
        if (FAILED(made)) return made;
    } else {
        host::com::toVariant(call.result, value);
        if (call.result.isText()) learnCallbacks(std::u16string(call.result.text()));  // a dynamic menu's content
    }
    if (returnSlot) {
        VariantClear(returnSlot);
        VariantCopy(returnSlot, &value);
    }
    if (result) {
        VariantInit(result);
        VariantCopy(result, &value);
    }
    VariantClear(&value);
    return S_OK;
}

namespace {

// The host's main window, Application.Hwnd (a 32-bit handle value, as handles shared between
// processes are); nullptr when the host does not give it.
HWND hostWindowOf(IDispatch* application) {
    try {
        const host::Variant hwnd = host::com::Dispatch(application).get(u"Hwnd");
        if (!hwnd.isNumber()) return nullptr;
        const auto value = static_cast<LONG>(static_cast<std::uint32_t>(static_cast<std::int64_t>(hwnd.number())));
        HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(value));
        return IsWindow(window) ? window : nullptr;
    } catch (const host::Error&) {
        return nullptr;
    }
}

}  // namespace

HRESULT ConnectObject::OnConnection(IDispatch* application, int, IDispatch*, SAFEARRAY**) {
    if (!application) return E_INVALIDARG;
    host::com::setHostEventDriver(&windowDriver_);  // the legacy menu's Click events
    windowDriver_.setOwnerWindow(hostWindowOf(application));
    try {
        forms::DriverScope windows(windowDriver_);
        connect_->AddinInstance_OnConnection(std::make_shared<host::com::ComApplication>(application));
    } catch (...) {
        return E_UNEXPECTED;
    }
    return S_OK;
}

HRESULT ConnectObject::OnDisconnection(int, SAFEARRAY**) {
    try {
        forms::DriverScope windows(windowDriver_);
        connect_->AddinInstance_OnDisconnection();
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (host::com::hostEventDriver() == &windowDriver_) host::com::setHostEventDriver(nullptr);
    windowDriver_.setOwnerWindow(nullptr);
    return S_OK;
}

HRESULT ConnectObject::OnAddInsUpdate(SAFEARRAY**) { return S_OK; }
HRESULT ConnectObject::OnStartupComplete(SAFEARRAY**) { return S_OK; }
HRESULT ConnectObject::OnBeginShutdown(SAFEARRAY**) { return S_OK; }

HRESULT ConnectObject::GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) {
    if (!ribbonXml) return E_POINTER;
    try {
        const std::u16string xml = connect_->IRibbonExtensibility_GetCustomUI(host::com::fromBstr(ribbonId));
        learnCallbacks(xml);
        *ribbonXml = host::com::toBstr(xml);
        return S_OK;
    } catch (const host::Error&) {
        *ribbonXml = nullptr;
        return E_FAIL;
    }
}

}  // namespace apps::windows
