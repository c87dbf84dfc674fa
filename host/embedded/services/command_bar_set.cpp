#include "host/embedded/services/command_bar_set.h"

#include <algorithm>

#include "host/error.h"

namespace host::embedded {

namespace {

[[noreturn]] void notFound() { throw Error(errInvalidCall, "Invalid procedure call or argument"); }
[[noreturn]] void notSupported() { throw Error(errNotSupported, "Object doesn't support this property or method"); }

std::vector<std::shared_ptr<ControlNode>> live(const ControlNode& parent) {
    std::vector<std::shared_ptr<ControlNode>> out;
    for (const auto& c : parent.children)
        if (!c->deleted) out.push_back(c);
    return out;
}

class ControlList : public host::CommandBarControls {
public:
    explicit ControlList(std::shared_ptr<ControlNode> parent) : parent_(std::move(parent)) {}
    long Count() const override { return static_cast<long>(live(*parent_).size()); }
    CommandBarControlPtr Item(long index) const override {
        const auto items = live(*parent_);
        if (index < 1 || index > static_cast<long>(items.size())) notFound();
        return handleOf(items[index - 1], parent_);
    }
    CommandBarControlPtr Item(const std::u16string& caption) const override {
        for (const auto& c : live(*parent_))
            if (c->caption == caption) return handleOf(c, parent_);
        notFound();
    }
    CommandBarControlPtr Add(int type, std::optional<long> before, bool temporary) override {
        if (type != msoControlButton && type != msoControlPopup) notFound();
        auto node = std::make_shared<ControlNode>();
        node->type = type;
        node->temporary = temporary;
        const auto items = live(*parent_);
        if (before && (*before < 1 || *before > static_cast<long>(items.size()) + 1)) notFound();
        auto at = parent_->children.end();
        if (before && *before <= static_cast<long>(items.size()))
            at = std::find(parent_->children.begin(), parent_->children.end(), items[*before - 1]);
        parent_->children.insert(at, node);
        return handleOf(node, parent_);
    }

private:
    std::shared_ptr<ControlNode> parent_;
};

class ControlHandle : public host::CommandBarControl {
public:
    ControlHandle(std::shared_ptr<ControlNode> node, std::weak_ptr<ControlNode> parent)
        : node_(std::move(node)), parent_(std::move(parent)) {}

    int Type() const override { return n().type; }
    std::u16string Caption() const override { return n().caption; }
    void setCaption(const std::u16string& caption) override { n().caption = caption; }
    std::u16string Tag() const override { return n().tag; }
    void setTag(const std::u16string& tag) override { n().tag = tag; }
    bool Visible() const override { return n().visible; }
    void setVisible(bool visible) override { n().visible = visible; }
    bool BeginGroup() const override { return n().beginGroup; }
    void setBeginGroup(bool begin) override { n().beginGroup = begin; }
    bool Temporary() const override { return n().temporary; }
    void Delete() override {
        n().deleted = true;
        if (auto parent = parent_.lock()) std::erase(parent->children, node_);
    }
    int FaceId() const override { return button().faceId; }
    void setFaceId(int faceId) override { button().faceId = faceId; }
    int Style() const override { return button().style; }
    void setStyle(int style) override { button().style = style; }
    void bindClick(const std::weak_ptr<CommandBarButtonEvents>& sink) override { button().sinks.push_back(sink); }
    const std::shared_ptr<ControlNode>& node() const { return node_; }
    CommandBarControlsPtr Controls() const override {
        if (n().type != msoControlPopup) notSupported();
        return std::make_shared<ControlList>(node_);
    }

private:
    ControlNode& n() const {
        if (node_->deleted) throw Error(errApplication, "The control has been deleted.");
        return *node_;
    }
    ControlNode& button() const {
        if (n().type != msoControlButton) notSupported();
        return *node_;
    }

    std::shared_ptr<ControlNode> node_;
    std::weak_ptr<ControlNode> parent_;
};

class BarHandle : public host::CommandBar {
public:
    explicit BarHandle(std::shared_ptr<BarNode> bar) : bar_(std::move(bar)) {}
    std::u16string Name() const override { return bar_->name; }
    bool Visible() const override { return bar_->visible; }
    void setVisible(bool visible) override { bar_->visible = visible; }
    CommandBarControlsPtr Controls() const override { return std::make_shared<ControlList>(bar_->root); }

private:
    std::shared_ptr<BarNode> bar_;
};

void dropTemporary(ControlNode& parent) {
    std::erase_if(parent.children, [](const auto& c) {
        if (c->temporary) c->deleted = true;
        return c->temporary;
    });
    for (auto& c : parent.children) dropTemporary(*c);
}

}  // namespace

CommandBarControlPtr handleOf(std::shared_ptr<ControlNode> node, std::weak_ptr<ControlNode> parent) {
    return std::make_shared<ControlHandle>(std::move(node), std::move(parent));
}

CommandBarSet::CommandBarSet() {
    for (const char16_t* name : {u"Worksheet Menu Bar", u"Chart Menu Bar", u"Standard", u"Formatting", u"Cell"}) {
        auto bar = std::make_shared<BarNode>();
        bar->name = name;
        bar->root->type = msoControlPopup;
        bars_.push_back(bar);
    }
}

CommandBarPtr CommandBarSet::Item(long index) const {
    if (index < 1 || index > Count()) notFound();
    return std::make_shared<BarHandle>(bars_[index - 1]);
}

CommandBarPtr CommandBarSet::Item(const std::u16string& name) const {
    for (const auto& bar : bars_)
        if (bar->name == name) return std::make_shared<BarHandle>(bar);
    notFound();
}

void CommandBarSet::click(const CommandBarControlPtr& button) {
    auto handle = std::dynamic_pointer_cast<ControlHandle>(button);
    if (!handle || handle->node()->deleted || handle->node()->type != msoControlButton) return;
    const auto sinks = handle->node()->sinks;  // a receiver may rebuild the menu
    bool cancelDefault = false;
    for (const auto& weak : sinks)
        if (auto sink = weak.lock()) sink->Click(button, cancelDefault);
}

void CommandBarSet::restart() {
    for (auto& bar : bars_) dropTemporary(*bar->root);
}

CommandBarControlPtr CommandBarSet::find(const std::vector<std::u16string>& captions) const {
    std::shared_ptr<ControlNode> node = bars_.front()->root, parent;
    for (const auto& caption : captions) {
        std::shared_ptr<ControlNode> next;
        for (const auto& c : node->children)
            if (c->caption == caption) next = c;
        if (!next) return nullptr;
        parent = node;
        node = next;
    }
    return handleOf(node, parent);
}

}  // namespace host::embedded
