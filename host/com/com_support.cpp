#include "host/com/com_support.h"

#include <cmath>

#include "host/error.h"
#include "host/text.h"

namespace host::com {

std::u16string fromBstr(BSTR text) {
    if (!text) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

BSTR toBstr(std::u16string_view text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

namespace {

constexpr HRESULT hostErrorBase = static_cast<HRESULT>(0x800A0000);

bool isHostError(HRESULT code) { return (code & static_cast<HRESULT>(0xFFFF0000)) == hostErrorBase; }

// The number a caller of the host sees for a bare HRESULT.
int errorNumberOf(HRESULT result) {
    if (isHostError(result)) return result & 0xFFFF;
    switch (result) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME: return 438;  // Object doesn't support this property or method
    case DISP_E_TYPEMISMATCH: return 13;
    case DISP_E_BADINDEX: return 9;
    case DISP_E_OVERFLOW: return 6;
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL: return 450;  // Wrong number of arguments
    case E_OUTOFMEMORY: return 7;
    default: return 1004;
    }
}

}  // namespace

void throwFailure(HRESULT result, const EXCEPINFO* info, const std::u16string& member) {
    int number = errorNumberOf(result);
    std::u16string description;
    if (info) {
        if (info->scode && isHostError(info->scode))
            number = info->scode & 0xFFFF;
        else if (info->wCode)
            number = info->wCode;
        description = fromBstr(info->bstrDescription);
    }
    if (description.empty()) description = u"Method '" + member + u"' failed";
    throw host::Error(number, host::utf8(description));
}

Variant fromVariant(const VARIANT& value) {
    VARIANT plain;
    VariantInit(&plain);
    const VARIANT* v = &value;
    if (value.vt & VT_BYREF) {
        if (FAILED(VariantCopyInd(&plain, const_cast<VARIANT*>(&value)))) throw host::Error(13, "Type mismatch");
        v = &plain;
    }
    Variant out;
    switch (v->vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BSTR: out = Variant(fromBstr(v->bstrVal)); break;
    case VT_BOOL: out = Variant(v->boolVal != VARIANT_FALSE); break;
    case VT_DATE: out = Variant::date(v->date); break;
    case VT_ERROR:
        if (isHostError(v->scode)) {
            out = Variant::error(v->scode & 0xFFFF);
            break;
        }
        [[fallthrough]];
    default: {
        VARIANT number;
        VariantInit(&number);
        const HRESULT changed = VariantChangeType(&number, const_cast<VARIANT*>(v), 0, VT_R8);
        if (FAILED(changed)) {
            VariantClear(&plain);
            throw host::Error(13, "Type mismatch");
        }
        out = Variant(number.dblVal);
    }
    }
    VariantClear(&plain);
    return out;
}

void toVariant(const Variant& value, VARIANT& out) {
    VariantInit(&out);
    switch (value.kind()) {
    case VariantKind::Empty: break;
    case VariantKind::Number:
        out.vt = VT_R8;
        out.dblVal = value.number();
        break;
    case VariantKind::Text:
        out.vt = VT_BSTR;
        out.bstrVal = toBstr(value.text());
        break;
    case VariantKind::Boolean:
        out.vt = VT_BOOL;
        out.boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VariantKind::Date:
        out.vt = VT_DATE;
        out.date = value.number();
        break;
    case VariantKind::Error:
        out.vt = VT_ERROR;
        out.scode = hostErrorBase | value.errorCode();
        break;
    }
}

DISPID Dispatch::id(const std::u16string& member) const {
    if (!object_) throw host::Error(91, "Object variable or With block variable not set");
    const auto found = ids_.find(member);
    if (found != ids_.end()) return found->second;
    std::u16string name = member;
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(name.data())};
    DISPID dispid = DISPID_UNKNOWN;
    const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(result)) throwFailure(result, nullptr, member);
    ids_.emplace(member, dispid);
    return dispid;
}

void Dispatch::invoke(const std::u16string& member, WORD flags, std::vector<VARIANT>& arguments,
                      VARIANT* result) const {
    const DISPID dispid = id(member);
    // IDispatch takes the arguments last first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    DISPID named = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info{};
    UINT badArgument = 0;
    const HRESULT outcome =
        object_->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, &badArgument);
    if (SUCCEEDED(outcome)) return;
    if (outcome != DISP_E_EXCEPTION) throwFailure(outcome, nullptr, member);
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    info.bstrSource = info.bstrHelpFile = nullptr;
    struct FreeDescription {
        BSTR text;
        ~FreeDescription() { SysFreeString(text); }
    } owner{info.bstrDescription};
    throwFailure(outcome, &info, member);
}

namespace {

std::vector<VARIANT> toArguments(const std::vector<Argument>& values) {
    std::vector<VARIANT> out(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].isMissing) {
            VariantInit(&out[i]);
            out[i].vt = VT_ERROR;
            out[i].scode = DISP_E_PARAMNOTFOUND;
        } else if (values[i].object) {
            VariantInit(&out[i]);
            out[i].vt = VT_DISPATCH;
            out[i].pdispVal = values[i].object;
            values[i].object->AddRef();  // VariantClear releases it
        } else {
            toVariant(values[i].value, out[i]);
        }
    }
    return out;
}

// The arguments of one call as VARIANTs, cleared (objects released) however the call ends.
struct RawArguments {
    explicit RawArguments(const std::vector<Argument>& values) : raw(toArguments(values)) {}
    ~RawArguments() {
        for (VARIANT& v : raw) VariantClear(&v);
    }
    RawArguments(const RawArguments&) = delete;
    RawArguments& operator=(const RawArguments&) = delete;
    std::vector<VARIANT> raw;
};

}  // namespace

Variant Dispatch::get(const std::u16string& member) const { return call(member); }

Variant Dispatch::call(const std::u16string& member, const std::vector<Argument>& arguments) const {
    RawArguments raw(arguments);
    ComVariant result;
    invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, raw.raw, result.get());
    return fromVariant(result.value());
}

void Dispatch::put(const std::u16string& member, const Variant& value) const {
    RawArguments raw({Argument(value)});
    invoke(member, DISPATCH_PROPERTYPUT, raw.raw, nullptr);
}

Dispatch Dispatch::object(const std::u16string& member, const std::vector<Argument>& arguments) const {
    RawArguments raw(arguments);
    ComVariant result;
    invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, raw.raw, result.get());
    const VARIANT& v = result.value();
    if (v.vt == VT_DISPATCH) return Dispatch(v.pdispVal);
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) return Dispatch();
    throw host::Error(13, "Type mismatch");
}

}  // namespace host::com
