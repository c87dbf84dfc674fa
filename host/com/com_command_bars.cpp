#include "host/com/com_command_bars.h"

#include <ocidl.h>

#include <optional>

#include "forms/runtime.h"
#include "host/com/window_driver.h"
#include "host/error.h"

namespace host::com {

namespace {

// {000C0351-0000-0000-C000-000000000046}: the events of a command bar button.
constexpr IID DIID_CommandBarButtonEvents = {
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID dispidClick = 1;

long integer(const Variant& value) {
    if (!value.isNumber() && !value.isBoolean()) throw host::Error(13, "Type mismatch");
    return static_cast<long>(value.number());
}

Dispatch present(Dispatch object, int error) {
    if (!object) throw host::Error(error, error == 5 ? "Invalid procedure call or argument" : "Object required");
    return object;
}

CommandBarControlPtr controlOf(Dispatch control);

// Receives the host's Click of one button and hands it to the add-in's handler.
class ClickSink final : public IDispatch {
public:
    explicit ClickSink(std::weak_ptr<CommandBarButtonEvents> handler) : handler_(std::move(handler)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, DIID_CommandBarButtonEvents)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        if (count == 1 && _wcsicmp(names[0], L"Click") == 0) {
            ids[0] = dispidClick;
            return S_OK;
        }
        return DISP_E_UNKNOWNNAME;
    }
    // Click(Ctrl As CommandBarButton, CancelDefault As Boolean ByRef)
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id != dispidClick) return DISP_E_MEMBERNOTFOUND;
        if (!params || params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
        VARIANT& control = params->rgvarg[1];
        VARIANT& cancel = params->rgvarg[0];
        IDispatch* button = control.vt == VT_DISPATCH                                     ? control.pdispVal
                            : control.vt == (VT_DISPATCH | VT_BYREF) && control.ppdispVal ? *control.ppdispVal
                                                                                          : nullptr;
        const auto handler = handler_.lock();
        if (!handler) return S_OK;
        bool cancelDefault = cancel.vt == (VT_BOOL | VT_BYREF) && cancel.pboolVal && *cancel.pboolVal != VARIANT_FALSE;
        try {
            // The add-in's forms show as windows of the host's thread for the time of the event.
            WindowDriver* windows = hostEventDriver();
            std::optional<forms::DriverScope> scope;
            if (windows) scope.emplace(*windows);
            handler->Click(button ? controlOf(Dispatch(button)) : nullptr, cancelDefault);
        } catch (...) {
            return E_UNEXPECTED;  // nothing of C++ crosses into the host
        }
        if (cancel.vt == (VT_BOOL | VT_BYREF) && cancel.pboolVal)
            *cancel.pboolVal = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

private:
    long references_ = 1;
    std::weak_ptr<CommandBarButtonEvents> handler_;
};

class ComCommandBarControls;

class ComCommandBarControl : public host::CommandBarControl {
public:
    explicit ComCommandBarControl(Dispatch control) : control_(std::move(control)) {}
    ~ComCommandBarControl() override { unbind(); }

    int Type() const override { return static_cast<int>(integer(control_.get(u"Type"))); }
    std::u16string Caption() const override { return control_.get(u"Caption").toText(); }
    void setCaption(const std::u16string& caption) override { control_.put(u"Caption", Variant(caption)); }
    std::u16string Tag() const override { return control_.get(u"Tag").toText(); }
    void setTag(const std::u16string& tag) override { control_.put(u"Tag", Variant(tag)); }
    bool Visible() const override { return control_.get(u"Visible").boolean(); }
    void setVisible(bool visible) override { control_.put(u"Visible", Variant(visible)); }
    bool BeginGroup() const override { return control_.get(u"BeginGroup").boolean(); }
    void setBeginGroup(bool begin) override { control_.put(u"BeginGroup", Variant(begin)); }
    bool Temporary() const override { return control_.get(u"Temporary").boolean(); }
    void Delete() override { control_.call(u"Delete"); }
    int FaceId() const override { return static_cast<int>(integer(control_.get(u"FaceId"))); }
    void setFaceId(int faceId) override { control_.put(u"FaceId", Variant(faceId)); }
    int Style() const override { return static_cast<int>(integer(control_.get(u"Style"))); }
    void setStyle(int style) override { control_.put(u"Style", Variant(style)); }
    void bindClick(const std::weak_ptr<CommandBarButtonEvents>& sink) override;
    CommandBarControlsPtr Controls() const override;

private:
    void unbind() {
        if (point_) point_->Unadvise(cookie_);
        point_ = ComRef<IConnectionPoint>();
    }
    Dispatch control_;
    ComRef<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

class ComCommandBarControls : public host::CommandBarControls {
public:
    explicit ComCommandBarControls(Dispatch controls) : controls_(std::move(controls)) {}
    long Count() const override { return integer(controls_.get(u"Count")); }
    CommandBarControlPtr Item(long index) const override {
        return controlOf(present(controls_.object(u"Item", {Variant(index)}), 5));
    }
    CommandBarControlPtr Item(const std::u16string& caption) const override {
        return controlOf(present(controls_.object(u"Item", {Variant(caption)}), 5));
    }
    // Add(Type, Id, Parameter, Before, Temporary)
    CommandBarControlPtr Add(int type, std::optional<long> before, bool temporary) override {
        return controlOf(present(
            controls_.object(u"Add", {Variant(type), Argument::missing(), Argument::missing(),
                                      before ? Argument(Variant(*before)) : Argument::missing(), Variant(temporary)}),
            91));
    }

private:
    Dispatch controls_;
};

void ComCommandBarControl::bindClick(const std::weak_ptr<CommandBarButtonEvents>& sink) {
    unbind();
    ComRef<IConnectionPointContainer> container;
    if (FAILED(
            control_.get()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))))
        throw host::Error(438, "Object doesn't support this property or method");
    ComRef<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(DIID_CommandBarButtonEvents, point.put())))
        throw host::Error(438, "Object doesn't support this property or method");
    auto* events = new ClickSink(sink);
    const HRESULT advised = point->Advise(events, &cookie_);
    events->Release();  // the host holds it while advised
    if (FAILED(advised)) throw host::Error(1004, "The button's Click event could not be bound");
    point_ = point;
}

CommandBarControlsPtr ComCommandBarControl::Controls() const {
    return std::make_shared<ComCommandBarControls>(present(control_.object(u"Controls"), 91));
}

CommandBarControlPtr controlOf(Dispatch control) { return std::make_shared<ComCommandBarControl>(std::move(control)); }

class ComCommandBar : public host::CommandBar {
public:
    explicit ComCommandBar(Dispatch bar) : bar_(std::move(bar)) {}
    std::u16string Name() const override { return bar_.get(u"Name").toText(); }
    bool Visible() const override { return bar_.get(u"Visible").boolean(); }
    void setVisible(bool visible) override { bar_.put(u"Visible", Variant(visible)); }
    CommandBarControlsPtr Controls() const override {
        return std::make_shared<ComCommandBarControls>(present(bar_.object(u"Controls"), 91));
    }

private:
    Dispatch bar_;
};

class ComCommandBars : public host::CommandBars {
public:
    explicit ComCommandBars(Dispatch bars) : bars_(std::move(bars)) {}
    long Count() const override { return integer(bars_.get(u"Count")); }
    CommandBarPtr Item(long index) const override {
        return std::make_shared<ComCommandBar>(present(bars_.object(u"Item", {Variant(index)}), 5));
    }
    CommandBarPtr Item(const std::u16string& name) const override {
        return std::make_shared<ComCommandBar>(present(bars_.object(u"Item", {Variant(name)}), 5));
    }

private:
    Dispatch bars_;
};

}  // namespace

CommandBarsPtr commandBarsOf(Dispatch bars) { return std::make_shared<ComCommandBars>(present(std::move(bars), 91)); }

}  // namespace host::com
