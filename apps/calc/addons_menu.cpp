#include "apps/calc/addons_menu.h"

#include <cstdio>
#include <vector>

#include "base/text.h"

namespace apps::calc {

namespace {

using host::RibbonNodePtr;

// One entry of the menu: a command, a separator or a submenu.
struct MenuEntry {
    enum Kind { Command, Separator, Submenu } kind = Command;
    std::u16string controlId;
    std::u16string title;
    std::vector<MenuEntry> items;  // of a submenu
};

std::string escaped(const std::u16string& text) {
    std::string out;
    for (char c : base::utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string prop(const std::string& name, const std::string& value, bool localised = false) {
    return "<prop oor:name=\"" + name + "\" oor:type=\"xs:string\"><value" + (localised ? " xml:lang=\"en-US\"" : "") +
           ">" + value + "</value></prop>";
}

const std::string kInCalc = prop("Target", "_self") + prop("Context", "com.sun.star.sheet.SpreadsheetDocument");

std::string submenuXml(const std::vector<MenuEntry>& items);

// The entries of a submenu or toolbar as nodes; LibreOffice orders them by node name, so the
// names count up.
std::string numberedNodes(const std::vector<MenuEntry>& items) {
    std::string xml;
    int number = 0;
    for (const MenuEntry& item : items) {
        char name[16];
        std::snprintf(name, sizeof name, "m%03d", ++number);
        xml += std::string("<node oor:name=\"") + name + "\" oor:op=\"replace\">";
        switch (item.kind) {
        case MenuEntry::Separator: xml += prop("URL", "private:separator"); break;
        case MenuEntry::Command:
            xml += prop("URL", "vnd.cellwash:" + base::utf8(item.controlId)) +
                   prop("Title", escaped(item.title), true) + kInCalc;
            break;
        case MenuEntry::Submenu:
            xml += prop("URL", "") + prop("Title", escaped(item.title), true) + kInCalc + submenuXml(item.items);
            break;
        }
        xml += "</node>";
    }
    return xml;
}

std::string submenuXml(const std::vector<MenuEntry>& items) {
    return "<node oor:name=\"Submenu\">" + numberedNodes(items) + "</node>";
}

// The entries for a group's or a menu's controls, in order.
std::vector<MenuEntry> entriesOf(host::calc::CalcRibbon& ribbon, const std::vector<RibbonNodePtr>& nodes) {
    std::vector<MenuEntry> entries;
    for (const auto& node : nodes) {
        const std::u16string id = node->id();
        if (node->kind == u"separator" || node->kind == u"menuSeparator") {
            entries.push_back({MenuEntry::Separator, {}, {}, {}});
            // A titled menu separator: its title as a greyed-out entry below the line.
            if (node->kind == u"menuSeparator" && node->has(u"getTitle"))
                entries.push_back({MenuEntry::Command, id, ribbon.title(id), {}});
        } else if (node->kind == u"dynamicMenu") {
            entries.push_back({MenuEntry::Submenu, id, ribbon.label(id), entriesOf(ribbon, ribbon.openMenu(id))});
        } else if ((node->kind == u"button" || node->kind == u"toggleButton") && ribbon.visible(id)) {
            entries.push_back({MenuEntry::Command, id, ribbon.label(id), {}});
        }
    }
    return entries;
}

// The ribbon's plain buttons (those of its groups, not of its menus) as a toolbar, parted as the
// menu parts them: by the groups' separators and between groups.
std::string toolbarXml(host::calc::CalcRibbon& ribbon) {
    std::vector<MenuEntry> items;
    for (const auto& tab : ribbon.tabs())
        for (const auto& group : tab->children) {
            if (group->kind != u"group" || !ribbon.visible(group->id())) continue;
            bool parted = true;  // a separator is due before the next button
            for (const auto& entry : entriesOf(ribbon, group->children)) {
                if (entry.kind == MenuEntry::Separator) parted = true;
                if (entry.kind != MenuEntry::Command) continue;
                if (parted && !items.empty()) items.push_back({MenuEntry::Separator, {}, {}, {}});
                items.push_back(entry);
                parted = false;
            }
        }
    return "<node oor:name=\"org.cellwash.calc.toolbar\" oor:op=\"replace\">" + numberedNodes(items) + "</node>";
}

}  // namespace

std::string addonsXcu(host::calc::CalcRibbon& ribbon) {
    std::string menus;
    for (const auto& tab : ribbon.tabs()) {
        std::vector<MenuEntry> items;
        for (const auto& group : tab->children) {
            if (group->kind != u"group" || !ribbon.visible(group->id())) continue;
            if (!items.empty()) items.push_back({MenuEntry::Separator, {}, {}, {}});
            const auto controls = entriesOf(ribbon, group->children);
            items.insert(items.end(), controls.begin(), controls.end());
        }
        menus += "<node oor:name=\"org.cellwash.calc." + base::utf8(tab->id()) + "\" oor:op=\"replace\">" +
                 prop("Title", escaped(ribbon.label(tab->id())), true) + kInCalc + submenuXml(items) + "</node>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:component-data xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" oor:name=\"Addons\" oor:package=\"org.openoffice.Office\">"
           "<node oor:name=\"AddonUI\"><node oor:name=\"OfficeMenuBar\">" +
           menus + "</node><node oor:name=\"OfficeToolBar\">" + toolbarXml(ribbon) +
           "</node></node></oor:component-data>\n";
}

}  // namespace apps::calc
