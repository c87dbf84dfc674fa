#include "tests/windows/test_command_bars.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <type_traits>

namespace cwtest {

namespace {

using Args = std::vector<VARIANT*>;

// {000C0351-0000-0000-C000-000000000046}
constexpr IID DIID_CommandBarButtonEvents = {
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

DWORD nextCookie = 1;

HRESULT answer(VARIANT* result, IDispatch* object) {
    if (!result) {
        if (object) object->Release();
        return S_OK;
    }
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
}

template <class T>
HRESULT readOrWrite(T& field, WORD flags, Args& args, VARIANT* result, VARTYPE type) {
    if (flags & DISPATCH_PROPERTYPUT) {
        if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT v;
        VariantInit(&v);
        if (FAILED(VariantChangeType(&v, args[0], 0, type))) return DISP_E_TYPEMISMATCH;
        if constexpr (std::is_same_v<T, std::wstring>)
            field.assign(v.bstrVal, SysStringLen(v.bstrVal));
        else if constexpr (std::is_same_v<T, bool>)
            field = v.boolVal != VARIANT_FALSE;
        else
            field = v.lVal;
        VariantClear(&v);
        return S_OK;
    }
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = type;
    if constexpr (std::is_same_v<T, std::wstring>)
        result->bstrVal = SysAllocString(field.c_str());
    else if constexpr (std::is_same_v<T, bool>)
        result->boolVal = field ? VARIANT_TRUE : VARIANT_FALSE;
    else
        result->lVal = field;
    return S_OK;
}

// A control: its properties by name, and the connection point of the button events.
class ControlObject final : public TestObject, public IConnectionPointContainer, public IConnectionPoint {
public:
    explicit ControlObject(std::shared_ptr<ControlData> data) : data_(std::move(data)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IConnectionPointContainer))
            *object = static_cast<IConnectionPointContainer*>(this);
        else if (IsEqualIID(iid, IID_IConnectionPoint))
            *object = static_cast<IConnectionPoint*>(this);
        else
            return TestObject::QueryInterface(iid, object);
        TestObject::AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return TestObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return TestObject::Release(); }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        *points = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        *point = nullptr;
        if (!IsEqualIID(iid, DIID_CommandBarButtonEvents) || data_->type != 1) return CONNECT_E_NOCONNECTION;
        *point = static_cast<IConnectionPoint*>(this);
        TestObject::AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        *iid = DIID_CommandBarButtonEvents;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        *container = static_cast<IConnectionPointContainer*>(this);
        TestObject::AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        IDispatch* handler = nullptr;
        if (!sink || FAILED(sink->QueryInterface(DIID_CommandBarButtonEvents, reinterpret_cast<void**>(&handler))))
            return CONNECT_E_CANNOTCONNECT;
        *cookie = nextCookie++;
        data_->sinks.emplace_back(*cookie, handler);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        auto& sinks = data_->sinks;
        for (auto it = sinks.begin(); it != sinks.end(); ++it)
            if (it->first == cookie) {
                it->second->Release();
                sinks.erase(it);
                return S_OK;
            }
        return CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        *connections = nullptr;
        return E_NOTIMPL;
    }

private:
    std::shared_ptr<ControlData> data_;
};

TestObject* makeControls(const std::shared_ptr<ControlData>& owner);

TestObject* makeControl(const std::shared_ptr<ControlData>& data) {
    auto* control = new ControlObject(data);
    control->define(L"Type", [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->type, f, a, r, VT_I4); });
    control->define(L"Caption",
                    [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->caption, f, a, r, VT_BSTR); });
    control->define(L"Tag", [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->tag, f, a, r, VT_BSTR); });
    control->define(L"Visible",
                    [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->visible, f, a, r, VT_BOOL); });
    control->define(L"BeginGroup",
                    [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->beginGroup, f, a, r, VT_BOOL); });
    control->define(L"Temporary",
                    [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->temporary, f, a, r, VT_BOOL); });
    control->define(L"FaceId",
                    [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->faceId, f, a, r, VT_I4); });
    control->define(L"Style", [data](WORD f, Args& a, VARIANT* r) { return readOrWrite(data->style, f, a, r, VT_I4); });
    control->define(L"Controls", [data](WORD, Args&, VARIANT* r) {
        if (data->type != 10) return DISP_E_MEMBERNOTFOUND;
        return answer(r, makeControls(data));
    });
    control->define(L"Delete", [data](WORD, Args&, VARIANT*) {
        const auto parent = data->parent.lock();
        if (!parent) return E_FAIL;
        auto& list = parent->children;
        list.erase(std::remove(list.begin(), list.end(), data), list.end());
        return S_OK;
    });
    return control;
}

TestObject* makeControls(const std::shared_ptr<ControlData>& owner) {
    auto* controls = new TestObject();
    controls->define(L"Count", [owner](WORD, Args&, VARIANT* r) {
        long count = static_cast<long>(owner->children.size());
        Args none;
        return readOrWrite(count, DISPATCH_PROPERTYGET, none, r, VT_I4);
    });
    controls->define(L"Item", [owner](WORD, Args& a, VARIANT* r) {
        if (a.size() != 1) return DISP_E_BADPARAMCOUNT;
        if (a[0]->vt == VT_BSTR) {
            for (const auto& c : owner->children)
                if (c->caption == a[0]->bstrVal) return answer(r, makeControl(c));
            return DISP_E_BADINDEX;
        }
        VARIANT n;
        VariantInit(&n);
        if (FAILED(VariantChangeType(&n, a[0], 0, VT_I4)) || n.lVal < 1 ||
            n.lVal > static_cast<long>(owner->children.size()))
            return DISP_E_BADINDEX;
        return answer(r, makeControl(owner->children[static_cast<size_t>(n.lVal - 1)]));
    });
    // Add(Type, Id, Parameter, Before, Temporary)
    controls->define(L"Add", [owner](WORD, Args& a, VARIANT* r) {
        auto control = std::make_shared<ControlData>();
        VARIANT n;
        VariantInit(&n);
        if (!a.empty() && SUCCEEDED(VariantChangeType(&n, a[0], 0, VT_I4))) control->type = n.lVal;
        size_t at = owner->children.size();
        if (a.size() > 3 && a[3]->vt != VT_ERROR && SUCCEEDED(VariantChangeType(&n, a[3], 0, VT_I4)) && n.lVal >= 1)
            at = std::min(at, static_cast<size_t>(n.lVal - 1));
        if (a.size() > 4 && a[4]->vt == VT_BOOL) control->temporary = a[4]->boolVal != VARIANT_FALSE;
        control->parent = owner;
        owner->children.insert(owner->children.begin() + static_cast<long>(at), control);
        return answer(r, makeControl(control));
    });
    return controls;
}

}  // namespace

ControlData::~ControlData() {
    for (auto& [cookie, sink] : sinks) sink->Release();
}

void addCommandBars(TestObject& application, const std::shared_ptr<MenuBarData>& bar) {
    application.define(L"CommandBars", [bar](WORD, Args&, VARIANT* r) {
        auto* bars = new TestObject();
        bars->define(L"Count", [](WORD, Args&, VARIANT* out) {
            long one = 1;
            Args none;
            return readOrWrite(one, DISPATCH_PROPERTYGET, none, out, VT_I4);
        });
        bars->define(L"Item", [bar](WORD, Args& a, VARIANT* out) {
            VARIANT n;
            VariantInit(&n);
            const bool first =
                a.size() == 1 && ((a[0]->vt == VT_BSTR && std::wstring(a[0]->bstrVal) == L"Worksheet Menu Bar") ||
                                  (SUCCEEDED(VariantChangeType(&n, a[0], 0, VT_I4)) && n.lVal == 1));
            if (!first) return DISP_E_BADINDEX;
            auto* menuBar = new TestObject();
            menuBar->define(L"Name", [](WORD, Args& x, VARIANT* y) {
                std::wstring name = L"Worksheet Menu Bar";
                return readOrWrite(name, DISPATCH_PROPERTYGET, x, y, VT_BSTR);
            });
            menuBar->define(L"Visible",
                            [bar](WORD f, Args& x, VARIANT* y) { return readOrWrite(bar->visible, f, x, y, VT_BOOL); });
            menuBar->define(L"Controls",
                            [bar](WORD, Args&, VARIANT* y) { return answer(y, makeControls(bar->controls)); });
            return answer(out, menuBar);
        });
        return answer(r, bars);
    });
}

std::shared_ptr<ControlData> findControl(const std::shared_ptr<ControlData>& root, const std::wstring& tag,
                                         const std::wstring& caption) {
    for (const auto& c : root->children) {
        if ((!tag.empty() && c->tag == tag) || (!caption.empty() && c->caption == caption)) return c;
        if (auto inside = findControl(c, tag, caption)) return inside;
    }
    return nullptr;
}

bool clickButton(const std::shared_ptr<ControlData>& button, bool& cancelDefault) {
    if (button->sinks.empty()) return false;
    const auto sinks = button->sinks;
    for (const auto& [cookie, sink] : sinks) {
        TestObject* control = makeControl(button);
        VARIANT_BOOL cancel = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
        VARIANT parameters[2];  // last argument first
        VariantInit(&parameters[0]);
        parameters[0].vt = VT_BOOL | VT_BYREF;
        parameters[0].pboolVal = &cancel;
        VariantInit(&parameters[1]);
        parameters[1].vt = VT_DISPATCH;
        parameters[1].pdispVal = control;
        DISPPARAMS call{parameters, nullptr, 2, 0};
        const HRESULT outcome = sink->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &call, nullptr, nullptr, nullptr);
        control->Release();
        if (FAILED(outcome)) return false;
        cancelDefault = cancel != VARIANT_FALSE;
    }
    return true;
}

}  // namespace cwtest
