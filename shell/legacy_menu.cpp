#include "shell/legacy_menu.h"

#include <optional>
#include <string>

#include "host/application.h"
#include "shell/host_references.h"
#include "shell/legacy_menu_tree.h"
#include "shell/object_required.h"
#include "shell/resume_next.h"

namespace shell {

namespace {

host::CommandBarControlPtr addTopPopup() {
    host::CommandBarPtr bar;
    host::CommandBarControlPtr popup;
    resumeNext([&] { bar = objectOf(hostApplication).CommandBars()->Item(1); });
    resumeNext([&] { objectOf(bar).setVisible(true); });
    resumeNext([&] { popup = objectOf(bar).Controls()->Add(host::msoControlPopup, std::nullopt, false); });
    resumeNext([&] { objectOf(popup).setCaption(std::u16string(legacyMenuCaption)); });
    resumeNext([&] { objectOf(popup).setVisible(true); });
    resumeNext([&] { objectOf(popup).setBeginGroup(true); });
    return popup;
}

// The properties every menu control gets; a failing one is skipped.
void describe(host::CommandBarControlPtr control, const LegacyMenuItem& item) {
    resumeNext([&] { objectOf(control).setCaption(std::u16string(item.caption)); });
    if (item.kind == MenuItemKind::Button) resumeNext([&] { objectOf(control).setFaceId(item.faceId); });
    if (!item.tag.empty()) resumeNext([&] { objectOf(control).setTag(std::u16string(item.tag)); });
    resumeNext([&] { objectOf(control).setStyle(host::msoButtonIconAndCaption); });
    if (item.beginGroup) resumeNext([&] { objectOf(control).setBeginGroup(true); });
}

host::CommandBarControlPtr addSubmenu(const host::CommandBarControlPtr& popup, const LegacyMenuItem& item) {
    host::CommandBarControlPtr submenu;
    resumeNext([&] { submenu = objectOf(popup).Controls()->Add(host::msoControlPopup, std::nullopt, false); });
    describe(submenu, item);
    return submenu;
}

void addButton(const host::CommandBarControlPtr& parent, const LegacyMenuItem& item) {
    host::CommandBarControlPtr button;
    resumeNext([&] { button = objectOf(parent).Controls()->Add(host::msoControlButton); });
    describe(button, item);
    resumeNext([&] {
        lastToolButton = std::make_shared<cbToolButton>();
        lastToolButton->setCbBtn(button);
        menuButtons->push_back(lastToolButton);
    });
}

}  // namespace

void txtRemoverMB_Add() {
    resumeNext([] { objectOf(hostApplication).setScreenUpdating(false); });
    resumeNext([] { remMenuBar(); });
    menuButtons = std::make_shared<MenuButtonCollection>();
    const host::CommandBarControlPtr popup = addTopPopup();
    host::CommandBarControlPtr submenu;
    for (const LegacyMenuItem& item : legacyMenuTree()) {
        if (item.kind == MenuItemKind::Submenu)
            submenu = addSubmenu(popup, item);
        else
            addButton(item.level == 1 ? popup : submenu, item);
    }
    resumeNext([] { objectOf(hostApplication).setScreenUpdating(true); });
}

void remMenuBar() {
    objectOf(hostApplication).CommandBars()->Item(1)->Controls()->Item(std::u16string(legacyMenuCaption))->Delete();
}

}  // namespace shell
