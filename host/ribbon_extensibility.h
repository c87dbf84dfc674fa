#pragma once
// What an add-in implements for the ribbon: its definition, and its callbacks, which the
// host calls by the names the definition gives, without regard to case.
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "host/ribbon.h"
#include "host/variant.h"

namespace host {

// One callback call: its name, what it is called with, and what it hands back.
struct RibbonCallback {
    std::u16string name;
    IRibbonControlPtr control;    // the control; null for onLoad
    IRibbonUIPtr ribbon;          // onLoad only
    std::optional<bool> pressed;  // onAction of a toggle button
    Variant result;               // get… callbacks: label, tip, enabled, pressed, content XML, image
};

class IRibbonExtensibility {
public:
    virtual ~IRibbonExtensibility() = default;
    virtual std::u16string IRibbonExtensibility_GetCustomUI(const std::u16string& ribbonId) = 0;
    // Runs the callback named `call.name` (any case); false when the add-in has none.
    virtual bool invokeRibbonCallback(RibbonCallback& call) = 0;
};

// Callbacks by name, looked up without regard to case as the host resolves them.
class RibbonCallbackTable {
public:
    using Handler = std::function<void(RibbonCallback&)>;
    void add(const std::u16string& name, Handler handler) { handlers_[fold(name)] = std::move(handler); }
    bool invoke(RibbonCallback& call) const {
        const auto it = handlers_.find(fold(call.name));
        if (it == handlers_.end()) return false;
        it->second(call);
        return true;
    }

private:
    static std::u16string fold(std::u16string name) {
        for (auto& c : name)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        return name;
    }
    std::map<std::u16string, Handler> handlers_;
};

}  // namespace host
