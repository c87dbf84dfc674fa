#include "host/embedded/services/ribbon_host.h"

#include "engine/text_functions.h"
#include "host/error.h"
#include "host/text.h"

namespace host::embedded {

namespace {

void collect(const std::shared_ptr<RibbonNode>& node, const std::u16string& kind,
             std::vector<std::shared_ptr<RibbonNode>>& out) {
    if (node->kind == kind) out.push_back(node);
    for (const auto& c : node->children) collect(c, kind, out);
}

class Control : public host::IRibbonControl {
public:
    explicit Control(std::u16string id) : id_(std::move(id)) {}
    std::u16string Id() const override { return id_; }

private:
    std::u16string id_;
};

// The ribbon object the add-in holds: it reaches back into the host while the host lives.
class RibbonUI : public host::IRibbonUI {
public:
    explicit RibbonUI(std::weak_ptr<RibbonHost> host) : host_(std::move(host)) {}
    void Invalidate() override {
        if (auto h = host_.lock()) h->invalidate();
    }
    void InvalidateControl(const std::u16string& id) override {
        auto h = host_.lock();
        if (!h || !h->find(id)) throw Error(errInvalidCall, "Invalid procedure call or argument");
        h->invalidateControl(id);
    }

private:
    std::weak_ptr<RibbonHost> host_;
};

bool truthy(std::u16string_view text) { return engine::foldCase(text) == u"true" || text == u"1"; }

}  // namespace

void RibbonHost::load(const std::shared_ptr<host::IRibbonExtensibility>& addIn) {
    root_ = parseRibbonXml(addIn->IRibbonExtensibility_GetCustomUI(u"Microsoft.Excel.Workbook"));
    addIn_ = addIn;
    fetched_.clear();
    menuItems_.clear();
    const std::u16string onLoad = root_->attribute(u"onLoad");
    if (!onLoad.empty()) {
        host::RibbonCallback call{onLoad, nullptr, std::make_shared<RibbonUI>(weak_from_this()), std::nullopt, {}};
        addIn_->invokeRibbonCallback(call);
    }
}

void RibbonHost::unload() {
    addIn_.reset();
    root_.reset();
    fetched_.clear();
    menuItems_.clear();
}

std::vector<std::shared_ptr<RibbonNode>> RibbonHost::tabs() const {
    std::vector<std::shared_ptr<RibbonNode>> out;
    if (root_) collect(root_, u"tab", out);
    return out;
}

std::shared_ptr<RibbonNode> RibbonHost::find(const std::u16string& id) const {
    if (auto hit = findRibbonNode(root_, id)) return hit;
    const auto item = menuItems_.find(id);
    return item == menuItems_.end() ? nullptr : item->second;
}

std::shared_ptr<RibbonNode> RibbonHost::require(const std::u16string& id) const {
    auto node = find(id);
    if (!node) throw Error(errInvalidCall, "The ribbon has no control " + utf8(id));
    return node;
}

void RibbonHost::invalidateControl(const std::u16string& id) {
    std::erase_if(fetched_, [&](const auto& entry) { return entry.first.first == id; });
}

Variant RibbonHost::callGetter(const std::u16string& callback, const std::u16string& id) {
    host::RibbonCallback call{callback, std::make_shared<Control>(id), nullptr, std::nullopt, {}};
    ++fetches_;
    if (!addIn_ || !addIn_->invokeRibbonCallback(call)) return Variant();
    return call.result;
}

Variant RibbonHost::property(const std::u16string& id, const std::u16string& name, const Variant& fallback) {
    auto node = require(id);
    std::u16string getter = u"get" + name;
    getter[3] = static_cast<char16_t>(getter[3] - 32);  // getLabel, getScreentip, ...
    const std::u16string callback = node->attribute(getter);
    if (callback.empty()) {
        const auto it = node->attributes.find(name);
        return it == node->attributes.end() ? fallback : Variant(it->second);
    }
    const auto key = std::make_pair(id, name);
    const auto cached = fetched_.find(key);
    if (cached != fetched_.end()) return cached->second;
    return fetched_[key] = callGetter(callback, id);
}

std::u16string RibbonHost::label(const std::u16string& id) { return property(id, u"label", Variant(u"")).toText(); }
std::u16string RibbonHost::screentip(const std::u16string& id) {
    return property(id, u"screentip", Variant(u"")).toText();
}
std::u16string RibbonHost::supertip(const std::u16string& id) {
    return property(id, u"supertip", Variant(u"")).toText();
}

bool RibbonHost::enabled(const std::u16string& id) {
    const Variant v = property(id, u"enabled", Variant(true));
    return v.isText() ? truthy(v.text()) : v.isEmpty() || v.boolean();
}

bool RibbonHost::visible(const std::u16string& id) {
    const Variant v = property(id, u"visible", Variant(true));
    return v.isText() ? truthy(v.text()) : v.isEmpty() || v.boolean();
}

bool RibbonHost::pressed(const std::u16string& id) {
    const Variant v = property(id, u"pressed", Variant(false));
    return v.isText() ? truthy(v.text()) : !v.isEmpty() && v.boolean();
}

Variant RibbonHost::image(const std::u16string& id) { return property(id, u"image", Variant()); }

std::vector<std::shared_ptr<RibbonNode>> RibbonHost::openMenu(const std::u16string& id) {
    auto node = require(id);
    const std::u16string callback = node->attribute(u"getContent");
    if (node->kind != u"dynamicMenu" || callback.empty()) return node->children;
    const Variant content = callGetter(callback, id);
    auto menu = parseRibbonXml(content.toText());
    std::vector<std::shared_ptr<RibbonNode>> all;
    std::vector<std::shared_ptr<RibbonNode>> stack(menu->children.begin(), menu->children.end());
    while (!stack.empty()) {
        auto item = stack.back();
        stack.pop_back();
        if (!item->id().empty()) menuItems_[item->id()] = item;
        for (const auto& c : item->children) stack.push_back(c);
    }
    return menu->children;
}

void RibbonHost::click(const std::u16string& id) {
    auto node = require(id);
    if (!enabled(id) || !visible(id)) return;  // a user cannot click what is greyed or hidden
    const std::u16string onAction = node->attribute(u"onAction");
    if (onAction.empty() || !addIn_) return;
    host::RibbonCallback call{onAction, std::make_shared<Control>(id), nullptr, std::nullopt, {}};
    if (node->kind == u"toggleButton" || node->kind == u"checkBox") {
        const bool now = !pressed(id);
        fetched_[{id, u"pressed"}] = Variant(now);
        call.pressed = now;
    }
    addIn_->invokeRibbonCallback(call);
}

}  // namespace host::embedded
