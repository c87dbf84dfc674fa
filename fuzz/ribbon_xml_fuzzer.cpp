// The embedded host's ribbon: the input is the add-in's ribbon XML. The host loads it, and
// every control with an id is asked for what a user would see (label, tips, states, image),
// dynamic menus are opened (their content is the same XML again) and controls clicked. A
// malformed definition is refused with host::Error; nothing else may escape.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "host/embedded/services/ribbon_host.h"
#include "host/error.h"
#include "host/ribbon_extensibility.h"

namespace {

// An add-in whose every callback answers: getters by the kind of value they fetch.
class AnsweringAddIn : public host::IRibbonExtensibility {
public:
    explicit AnsweringAddIn(std::u16string xml) : xml_(std::move(xml)) {}
    std::u16string IRibbonExtensibility_GetCustomUI(const std::u16string&) override { return xml_; }
    bool invokeRibbonCallback(host::RibbonCallback& call) override {
        const std::u16string& n = call.name;
        if (n.find(u"Content") != std::u16string::npos)
            call.result = host::Variant(xml_);
        else if (n.find(u"Enabled") != std::u16string::npos || n.find(u"Visible") != std::u16string::npos)
            call.result = host::Variant(true);
        else if (n.find(u"Pressed") != std::u16string::npos)
            call.result = host::Variant(u"false");
        else if (n.size() % 3 == 0)
            return false;  // callbacks the add-in does not have
        else
            call.result = host::Variant(u"text of " + n);
        return true;
    }

private:
    std::u16string xml_;
};

void collectIds(const std::shared_ptr<host::RibbonNode>& node, std::vector<std::u16string>& ids) {
    if (!node->id().empty()) ids.push_back(node->id());
    for (const auto& child : node->children) collectIds(child, ids);
}

// One user look at a control; a host::Error is an answer too (e.g. a menu that will not open).
template <class Fn>
void ask(Fn fn) {
    try {
        fn();
    } catch (const host::Error&) {}
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::u16string xml = fuzz::text(data, size);
    auto host = std::make_shared<host::embedded::RibbonHost>();
    try {
        host->load(std::make_shared<AnsweringAddIn>(xml));
    } catch (const host::Error&) {
        return 0;
    }
    std::vector<std::u16string> ids;
    for (const auto& tab : host->tabs()) collectIds(tab, ids);
    if (ids.size() > 200) ids.resize(200);
    for (const std::u16string& id : ids) {
        fuzz::require(host->find(id) != nullptr, "a control of the ribbon is not found by its id");
        ask([&] { host->label(id), host->screentip(id), host->supertip(id), host->image(id); });
        ask([&] { host->enabled(id), host->visible(id), host->pressed(id); });
        ask([&] {
            for (const auto& item : host->openMenu(id))
                if (!item->id().empty()) host->label(item->id());
        });
        ask([&] { host->click(id); });
        host->invalidateControl(id);
    }
    host->invalidate();
    host->unload();
    return 0;
}
