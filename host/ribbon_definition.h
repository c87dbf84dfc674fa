#pragma once
// The add-in's ribbon definition as a host reads it: a customUI document (or a dynamic menu's
// content) parsed into a tree of elements with their attributes. Every host that shows the
// ribbon, or a menu made from it, starts from this tree.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {

struct RibbonNode {
    std::u16string kind;  // the element's local name: tab, group, button, toggleButton, dynamicMenu, ...
    std::map<std::u16string, std::u16string> attributes;  // by local name
    std::vector<std::shared_ptr<RibbonNode>> children;

    std::u16string id() const;                                   // its id, else its built-in idMso
    std::u16string attribute(const std::u16string& name) const;  // "" when absent
    bool has(const std::u16string& name) const { return attributes.count(name) != 0; }
};
using RibbonNodePtr = std::shared_ptr<RibbonNode>;

// Parses ribbon XML; host::Error 1004 when it is malformed, declares a document type or nests
// too deeply.
RibbonNodePtr parseRibbonXml(const std::u16string& xml);

// The first node in `root`'s tree (root included) with this id, or nullptr.
RibbonNodePtr findRibbonNode(const RibbonNodePtr& root, const std::u16string& id);

}  // namespace host
