#pragma once
// The legacy menu's tree below the "&Cellwash" popup, in order: submenus of the popup and the
// buttons of the popup or of the submenu above them.
#include <span>
#include <string_view>

namespace shell {

inline constexpr std::u16string_view legacyMenuCaption = u"&Cellwash";

enum class MenuItemKind { Submenu, Button };

struct LegacyMenuItem {
    int level;  // 1: in the popup; 2: in the submenu above
    MenuItemKind kind;
    std::u16string_view caption;
    std::u16string_view tag;  // empty: none
    int faceId;               // buttons only
    bool beginGroup;
};

std::span<const LegacyMenuItem> legacyMenuTree();

}  // namespace shell
