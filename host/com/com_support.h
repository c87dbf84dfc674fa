#pragma once
// Late binding to the host's objects: an IDispatch held with its names resolved once and cached,
// properties read and written and methods called by name, values converted between host::Variant
// and VARIANT, and a failed call turned into host::Error with the host's error number.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

#include "host/variant.h"

namespace host::com {

// Holds one reference on a COM interface.
template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* p, bool addRef = true) : p_(p) {
        if (p_ && addRef) p_->AddRef();
    }
    ComRef(const ComRef& other) : ComRef(other.p_) {}
    ComRef(ComRef&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() {
        if (p_) p_->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        if (p_) p_->Release();
        p_ = nullptr;
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// A VARIANT that clears itself.
class ComVariant {
public:
    ComVariant() { VariantInit(&v_); }
    ~ComVariant() { VariantClear(&v_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

private:
    VARIANT v_;
};

std::u16string fromBstr(BSTR text);
BSTR toBstr(std::u16string_view text);  // the caller owns it

// VARIANT → Variant: empty and null are Empty, numbers Number, dates Date, BSTR Text, booleans
// Boolean, VT_ERROR with a host error value (0x800A07xx) Error. Anything else fails with 13.
Variant fromVariant(const VARIANT& value);
// Variant → VARIANT (the caller clears it).
void toVariant(const Variant& value, VARIANT& out);

// The host's error for a failed call: the error number the host put into EXCEPINFO (its scode's
// low word for 0x800Axxxx), or for a bare HRESULT the number a caller of the host sees.
[[noreturn]] void throwFailure(HRESULT result, const EXCEPINFO* info, const std::u16string& member);

class Dispatch;

// An argument of a late-bound call: a value, or one of the host's objects.
struct Argument {
    Argument(Variant v) : value(std::move(v)) {}
    Argument(const char16_t* text) : value(text) {}
    Argument(IDispatch* o) : object(o) {}
    // An optional argument left out (VT_ERROR, DISP_E_PARAMNOTFOUND), as a caller by name passes it.
    static Argument missing() {
        Argument a{Variant()};
        a.isMissing = true;
        return a;
    }
    Variant value;
    IDispatch* object = nullptr;
    bool isMissing = false;
};

// An object of the host, reached by name.
class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(IDispatch* object) : object_(object) {}

    explicit operator bool() const { return static_cast<bool>(object_); }
    IDispatch* get() const { return object_.get(); }

    // The identifier of a member, resolved once per object and cached.
    DISPID id(const std::u16string& member) const;

    // Property get or method call with arguments (first argument first); the raw result.
    void invoke(const std::u16string& member, WORD flags, std::vector<VARIANT>& arguments, VARIANT* result) const;

    Variant get(const std::u16string& member) const;
    Variant call(const std::u16string& member, const std::vector<Argument>& arguments = {}) const;
    void put(const std::u16string& member, const Variant& value) const;
    // A property or method that answers an object; an empty Dispatch when it answers Nothing.
    Dispatch object(const std::u16string& member, const std::vector<Argument>& arguments = {}) const;

private:
    ComRef<IDispatch> object_;
    mutable std::map<std::u16string, DISPID> ids_;
};

}  // namespace host::com
