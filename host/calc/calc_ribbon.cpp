#include "host/calc/calc_ribbon.h"

#include <stdexcept>

#include "base/text.h"
#include "host/error.h"

namespace host::calc {

namespace {

class RibbonControl : public host::IRibbonControl {
public:
    explicit RibbonControl(std::u16string id) : id_(std::move(id)) {}
    std::u16string Id() const override { return id_; }

private:
    std::u16string id_;
};

// The ribbon object the add-in keeps: it reaches the host's ribbon while that lives.
class RibbonUI : public host::IRibbonUI {
public:
    explicit RibbonUI(std::weak_ptr<CalcRibbon> ribbon) : ribbon_(std::move(ribbon)) {}
    void Invalidate() override {
        if (auto ribbon = ribbon_.lock()) ribbon->invalidate();
    }
    void InvalidateControl(const std::u16string& id) override {
        if (auto ribbon = ribbon_.lock()) ribbon->invalidate(id);
    }

private:
    std::weak_ptr<CalcRibbon> ribbon_;
};

void collect(const RibbonNodePtr& node, const std::u16string& kind, std::vector<RibbonNodePtr>& out) {
    if (node->kind == kind) out.push_back(node);
    for (const auto& child : node->children) collect(child, kind, out);
}

bool isTrue(std::u16string_view text) { return text == u"1" || text == u"true"; }

}  // namespace

void CalcRibbon::load(const std::shared_ptr<host::IRibbonExtensibility>& addIn) {
    root_ = parseRibbonXml(addIn->IRibbonExtensibility_GetCustomUI(u"Microsoft.Excel.Workbook"));
    addIn_ = addIn;
    menuItems_.clear();
    fetched_.clear();
    const std::u16string onLoad = root_->attribute(u"onLoad");
    if (onLoad.empty()) return;
    host::RibbonCallback call{onLoad, nullptr, std::make_shared<RibbonUI>(weak_from_this()), std::nullopt, {}};
    addIn_->invokeRibbonCallback(call);
}

void CalcRibbon::unload() {
    addIn_.reset();
    root_.reset();
    menuItems_.clear();
    fetched_.clear();
}

std::vector<RibbonNodePtr> CalcRibbon::tabs() const {
    std::vector<RibbonNodePtr> found;
    if (root_) collect(root_, u"tab", found);
    return found;
}

RibbonNodePtr CalcRibbon::find(const std::u16string& id) const {
    if (auto node = findRibbonNode(root_, id)) return node;
    const auto it = menuItems_.find(id);
    return it == menuItems_.end() ? nullptr : it->second;
}

std::vector<RibbonNodePtr> CalcRibbon::openMenu(const std::u16string& id) {
    const RibbonNodePtr menu = find(id);
    if (!addIn_ || !menu || menu->kind != u"dynamicMenu") return {};
    host::RibbonCallback call{
        menu->attribute(u"getContent"), std::make_shared<RibbonControl>(id), nullptr, std::nullopt, {}};
    if (!addIn_->invokeRibbonCallback(call) || !call.result.isText()) return {};
    const RibbonNodePtr content = parseRibbonXml(std::u16string(call.result.text()));
    for (const auto& item : content->children)
        if (!item->id().empty()) menuItems_[item->id()] = item;
    return content->children;
}

bool CalcRibbon::openMenuHolding(const std::u16string& id) {
    if (find(id)) return true;
    std::vector<RibbonNodePtr> menus;
    if (root_) collect(root_, u"dynamicMenu", menus);
    for (const auto& menu : menus) {
        openMenu(menu->id());
        if (find(id)) return true;
    }
    return false;
}

host::Variant CalcRibbon::property(const std::u16string& id, const std::u16string& name,
                                   const host::Variant& fallback) {
    const RibbonNodePtr node = find(id);
    if (!node || !addIn_) return fallback;
    std::u16string getter = u"get" + name;
    getter[3] = static_cast<char16_t>(getter[3] - u'a' + u'A');
    const std::u16string callback = node->attribute(getter);
    if (callback.empty()) return node->has(name) ? host::Variant(node->attribute(name)) : fallback;
    const auto key = std::make_pair(id, name);
    if (const auto it = fetched_.find(key); it != fetched_.end()) return it->second;
    host::RibbonCallback call{callback, std::make_shared<RibbonControl>(id), nullptr, std::nullopt, {}};
    const host::Variant value = addIn_->invokeRibbonCallback(call) ? call.result : fallback;
    fetched_[key] = value;
    return value;
}

std::u16string CalcRibbon::label(const std::u16string& id) {
    const host::Variant value = property(id, u"label", host::Variant(u""));
    return value.isText() ? std::u16string(value.text()) : std::u16string();
}

std::u16string CalcRibbon::screentip(const std::u16string& id) {
    const host::Variant value = property(id, u"screentip", host::Variant(u""));
    return value.isText() ? std::u16string(value.text()) : std::u16string();
}

std::u16string CalcRibbon::supertip(const std::u16string& id) {
    const host::Variant value = property(id, u"supertip", host::Variant(u""));
    return value.isText() ? std::u16string(value.text()) : std::u16string();
}

std::u16string CalcRibbon::title(const std::u16string& id) {
    const host::Variant value = property(id, u"title", host::Variant(u""));
    return value.isText() ? std::u16string(value.text()) : std::u16string();
}

bool CalcRibbon::actionable(const std::u16string& id) const {
    const RibbonNodePtr node = find(id);
    return node && !node->attribute(u"onAction").empty();
}

bool CalcRibbon::enabled(const std::u16string& id) {
    const host::Variant value = property(id, u"enabled", host::Variant(true));
    return value.isText() ? isTrue(value.text()) : value.isEmpty() || value.boolean();
}

bool CalcRibbon::visible(const std::u16string& id) {
    const host::Variant value = property(id, u"visible", host::Variant(true));
    return value.isText() ? isTrue(value.text()) : value.isEmpty() || value.boolean();
}

void CalcRibbon::click(const std::u16string& id) {
    if (!addIn_ || !openMenuHolding(id)) throw std::invalid_argument("the ribbon has no control " + base::utf8(id));
    const std::u16string action = find(id)->attribute(u"onAction");
    if (action.empty()) throw std::invalid_argument("the ribbon control " + base::utf8(id) + " has no action");
    host::RibbonCallback call{action, std::make_shared<RibbonControl>(id), nullptr, std::nullopt, {}};
    addIn_->invokeRibbonCallback(call);
}

bool CalcRibbon::chooseLanguage(const std::u16string& code) {
    if (!addIn_ || code.size() != 2) return false;
    host::RibbonCallback content{
        u"GetLanguageContent", std::make_shared<RibbonControl>(u"languageMenu"), nullptr, std::nullopt, {}};
    if (!addIn_->invokeRibbonCallback(content) || !content.result.isText()) return false;
    const auto menu = host::parseRibbonXml(std::u16string(content.result.text()));
    for (const auto& item : menu->children) {
        const std::u16string id = item->id();
        if (item->kind != u"toggleButton" || id.size() < 5 || id.substr(3, 2) != code) continue;
        host::RibbonCallback press{
            item->attribute(u"onAction"), std::make_shared<RibbonControl>(id), nullptr, true, {}};
        return addIn_->invokeRibbonCallback(press);
    }
    return false;
}

void CalcRibbon::invalidate(const std::u16string& id) {
    if (id.empty())
        fetched_.clear();
    else
        for (auto it = fetched_.begin(); it != fetched_.end();)
            it = it->first.first == id ? fetched_.erase(it) : std::next(it);
    if (onInvalidate) onInvalidate(id);
}

}  // namespace host::calc
