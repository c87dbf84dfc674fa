#include "host/ribbon_definition.h"

#include "base/text.h"
#include "base/xml_reader.h"
#include "host/error.h"

namespace host {

namespace {

constexpr size_t kMaxDepth = 64;

// Builds the node tree; element and attribute names are taken by their local part.
class RibbonBuilder : public base::XmlHandler {
public:
    RibbonNodePtr root;

    void startElement(const base::XmlName& name, const base::XmlAttributes& attributes) override {
        if (open_.size() >= kMaxDepth) throw Error(errApplication, "The ribbon definition nests too deeply.");
        auto node = std::make_shared<RibbonNode>();
        node->kind = base::utf16(name.local);
        attributes.forEach([&](const base::XmlName& n, std::string_view value) {
            node->attributes[base::utf16(n.local)] = base::utf16(value);
        });
        if (open_.empty())
            root = node;
        else
            open_.back()->children.push_back(node);
        open_.push_back(node.get());
    }
    void endElement(const base::XmlName&) override { open_.pop_back(); }

private:
    std::vector<RibbonNode*> open_;
};

}  // namespace

std::u16string RibbonNode::id() const {
    const auto it = attributes.find(u"id");
    if (it != attributes.end()) return it->second;
    const auto mso = attributes.find(u"idMso");
    return mso != attributes.end() ? mso->second : u"";
}

std::u16string RibbonNode::attribute(const std::u16string& name) const {
    const auto it = attributes.find(name);
    return it == attributes.end() ? u"" : it->second;
}

RibbonNodePtr parseRibbonXml(const std::u16string& xml) {
    RibbonBuilder builder;
    try {
        base::XmlReader(builder).parseAll(base::utf8(xml));
    } catch (const base::XmlError& e) {
        throw Error(errApplication, std::string("The ribbon definition is not well formed: ") + e.what());
    }
    if (!builder.root) throw Error(errApplication, "The ribbon definition is not well formed: no element");
    return builder.root;
}

RibbonNodePtr findRibbonNode(const RibbonNodePtr& root, const std::u16string& id) {
    if (!root) return nullptr;
    if (root->id() == id) return root;
    for (const auto& child : root->children)
        if (auto hit = findRibbonNode(child, id)) return hit;
    return nullptr;
}

}  // namespace host
