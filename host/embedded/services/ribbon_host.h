#pragma once
// The embedded host's ribbon: it fetches the add-in's ribbon definition, parses it, hands
// the add-in its ribbon object, and answers what a user sees — tabs, groups, controls,
// their labels, tips, states and images, dynamic menus when opened — fetching callback
// values on demand and again after Invalidate. A click calls the control's onAction.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/ribbon_definition.h"
#include "host/ribbon_extensibility.h"

namespace host::embedded {

class RibbonHost : public std::enable_shared_from_this<RibbonHost> {
public:
    // Fetches the definition, parses it and calls onLoad with this host's ribbon object.
    void load(const std::shared_ptr<host::IRibbonExtensibility>& addIn);
    void unload();
    bool loaded() const { return addIn_ != nullptr; }

    std::vector<std::shared_ptr<RibbonNode>> tabs() const;
    std::shared_ptr<RibbonNode> find(const std::u16string& id) const;  // nullptr when absent

    std::u16string label(const std::u16string& id);
    std::u16string screentip(const std::u16string& id);
    std::u16string supertip(const std::u16string& id);
    bool enabled(const std::u16string& id);
    bool visible(const std::u16string& id);
    bool pressed(const std::u16string& id);
    Variant image(const std::u16string& id);
    // Opens a dynamic menu: fetches and parses its content; its items become clickable.
    std::vector<std::shared_ptr<RibbonNode>> openMenu(const std::u16string& id);
    // The user clicks the control (a toggle button flips its pressed state first).
    void click(const std::u16string& id);

    // IRibbonUI, as the add-in sees it.
    void invalidate() { fetched_.clear(); }
    void invalidateControl(const std::u16string& id);
    long fetchCount() const { return fetches_; }  // callback calls made for get… values

private:
    // The value of a property: its get… callback's result (fetched once until invalidated)
    // or the attribute written in the definition.
    Variant property(const std::u16string& id, const std::u16string& name, const Variant& fallback);
    std::shared_ptr<RibbonNode> require(const std::u16string& id) const;
    Variant callGetter(const std::u16string& callback, const std::u16string& id);

    std::shared_ptr<host::IRibbonExtensibility> addIn_;
    std::shared_ptr<RibbonNode> root_;
    std::map<std::u16string, std::shared_ptr<RibbonNode>> menuItems_;  // of opened dynamic menus
    std::map<std::pair<std::u16string, std::u16string>, Variant> fetched_;
    long fetches_ = 0;
};

}  // namespace host::embedded
