#include "host/calc/ribbon_definition.h"

#include "base/text.h"
#include "base/xml_reader.h"
#include "host/error.h"

namespace host::calc {

namespace {

class TreeBuilder : public base::XmlHandler {
public:
    void startElement(const base::XmlName& name, const base::XmlAttributes& attributes) override {
        auto node = std::make_shared<RibbonNode>();
        node->kind = base::utf16(name.local);
        attributes.forEach([&](const base::XmlName& attribute, std::string_view value) {
            node->attributes[base::utf16(attribute.local)] = base::utf16(value);
        });
        if (open_.empty())
            root = node;
        else
            open_.back()->children.push_back(node);
        open_.push_back(node.get());
    }
    void endElement(const base::XmlName&) override { open_.pop_back(); }

    RibbonNodePtr root;

private:
    std::vector<RibbonNode*> open_;
};

}  // namespace

std::u16string RibbonNode::attribute(const std::u16string& name) const {
    const auto it = attributes.find(name);
    return it == attributes.end() ? std::u16string() : it->second;
}

RibbonNodePtr parseRibbonXml(const std::u16string& xml) {
    TreeBuilder builder;
    try {
        base::XmlReader reader(builder);
        reader.parseAll(base::utf8(xml));
    } catch (const base::XmlError& e) {
        throw host::Error(host::errApplication, std::string("the ribbon definition is not well-formed: ") + e.what());
    }
    if (!builder.root) throw host::Error(host::errApplication, "the ribbon definition is empty");
    return builder.root;
}

RibbonNodePtr findRibbonNode(const RibbonNodePtr& root, const std::u16string& id) {
    if (!root) return nullptr;
    if (root->id() == id) return root;
    for (const auto& child : root->children)
        if (auto hit = findRibbonNode(child, id)) return hit;
    return nullptr;
}

}  // namespace host::calc
