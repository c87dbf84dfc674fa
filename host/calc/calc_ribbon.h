#pragma once
// CalcRibbon: the ribbon service the Calc host gives the add-in. It fetches the add-in's
// ribbon definition, hands the add-in its ribbon object at load, and answers what Calc's
// "Cellwash" menu shows for a control — label, tips, enabled, visible — through the
// add-in's callbacks, fetched once and again after Invalidate or InvalidateControl. The
// dynamic menus are filled from their getContent XML when opened; a click calls onAction.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/ribbon_definition.h"
#include "host/ribbon_extensibility.h"

namespace host::calc {

class CalcRibbon : public std::enable_shared_from_this<CalcRibbon> {
public:
    // Fetches and parses the definition, then calls its onLoad with this ribbon's IRibbonUI.
    void load(const std::shared_ptr<host::IRibbonExtensibility>& addIn);
    void unload();
    bool loaded() const { return addIn_ != nullptr; }

    // The definition's tab elements; empty before load.
    std::vector<RibbonNodePtr> tabs() const;
    // A control of the definition or of a menu opened so far; nullptr when there is none.
    RibbonNodePtr find(const std::u16string& id) const;
    // Fetches the content of a dynamic menu; its items can be found and clicked from now on.
    std::vector<RibbonNodePtr> openMenu(const std::u16string& id);
    // Opens the dynamic menus until one holds `id`; false when none does.
    bool openMenuHolding(const std::u16string& id);

    std::u16string label(const std::u16string& id);
    std::u16string screentip(const std::u16string& id);
    std::u16string supertip(const std::u16string& id);
    std::u16string title(const std::u16string& id);  // of a menu separator
    bool enabled(const std::u16string& id);
    // Whether clicking the control does something: it has an onAction.
    bool actionable(const std::u16string& id) const;
    bool visible(const std::u16string& id);
    // Calls the control's onAction (opening the dynamic menus to find it when needed).
    // Throws std::invalid_argument when no control has this id or it has no action.
    void click(const std::u16string& id);
    // Presses the language toggle of `code` ("Hi", "En", ...) in the add-in's language menu
    // (its GetLanguageContent), as the host's language menu would; false when it offers none.
    bool chooseLanguage(const std::u16string& code);

    // IRibbonUI, as the add-in sees it: forget the fetched values (of one control or all) and
    // tell the menu, which asks again. An empty id means every control.
    void invalidate(const std::u16string& id = {});
    std::function<void(const std::u16string& id)> onInvalidate;

private:
    host::Variant property(const std::u16string& id, const std::u16string& name, const host::Variant& fallback);

    std::shared_ptr<host::IRibbonExtensibility> addIn_;
    RibbonNodePtr root_;
    std::map<std::u16string, RibbonNodePtr> menuItems_;  // of the dynamic menus opened
    std::map<std::pair<std::u16string, std::u16string>, host::Variant> fetched_;
};

}  // namespace host::calc
