// A sheet's drawing layer and comments as the object model shows them.
#include "engine/cell_search.h"
#include "host/constants.h"
#include "host/embedded/cell_range.h"
#include "host/embedded/embedded_worksheet.h"
#include "host/embedded/range_objects.h"
#include "host/error.h"

namespace host::embedded {

namespace {

// A drawing object addressed by its path: index on the sheet, then within groups.
class ShapeItem : public host::Shape {
public:
    ShapeItem(EmbeddedWorksheetPtr sheet, std::vector<size_t> path)
        : sheet_(std::move(sheet)), path_(std::move(path)) {}

    int Type() const override { return object().type; }
    std::u16string Name() const override { return object().name; }
    std::u16string TextFrameText() const override {
        if (!object().frameText) throw Error(errApplication, "The specified shape has no text frame.");
        return *object().frameText;
    }
    std::u16string TextEffectText() const override {
        if (!object().effectText) throw Error(errApplication, "This member can only be accessed for a WordArt object.");
        return *object().effectText;
    }
    ShapesPtr GroupItems() const override;
    void Delete() override;

private:
    engine::DrawingObject& object() const {
        std::vector<engine::DrawingObject>* level = &sheet_->model().drawings();
        engine::DrawingObject* found = nullptr;
        for (size_t i : path_) {
            if (i >= level->size()) throw Error(errObjectRequired, "Object required");
            found = &(*level)[i];
            level = &found->groupItems;
        }
        return *found;
    }

    EmbeddedWorksheetPtr sheet_;
    std::vector<size_t> path_;
};

class ShapeList : public host::Shapes {
public:
    ShapeList(EmbeddedWorksheetPtr sheet, std::vector<size_t> parent)
        : sheet_(std::move(sheet)), parent_(std::move(parent)) {}

    long Count() const override { return static_cast<long>(level().size()); }
    ShapePtr Item(long index) const override {
        if (index < 1 || index > Count()) throw Error(errSubscript, "Subscript out of range");
        auto path = parent_;
        path.push_back(static_cast<size_t>(index - 1));
        return std::make_shared<ShapeItem>(sheet_, std::move(path));
    }

private:
    std::vector<engine::DrawingObject>& level() const {
        std::vector<engine::DrawingObject>* items = &sheet_->model().drawings();
        for (size_t i : parent_) items = &(*items)[i].groupItems;
        return *items;
    }

    EmbeddedWorksheetPtr sheet_;
    std::vector<size_t> parent_;
};

ShapesPtr ShapeItem::GroupItems() const {
    const int type = object().type;
    if (type != msoGroup && type != msoSmartArt)
        throw Error(errApplication, "This member can only be accessed for a group.");
    return std::make_shared<ShapeList>(sheet_, path_);
}

void ShapeItem::Delete() {
    (void)object();
    std::vector<engine::DrawingObject>* level = &sheet_->model().drawings();
    for (size_t k = 0; k + 1 < path_.size(); ++k) level = &(*level)[path_[k]].groupItems;
    level->erase(level->begin() + static_cast<long>(path_.back()));
}

// DrawingObjects (every object), Pictures, ChartObjects: counted and deleted by type.
class DrawingList : public host::DrawingCollection {
public:
    DrawingList(EmbeddedWorksheetPtr sheet, int type) : sheet_(std::move(sheet)), type_(type) {}
    long Count() const override {
        long n = 0;
        for (const auto& d : sheet_->model().drawings()) n += wanted(d) ? 1 : 0;
        return n;
    }
    void Delete() override {
        std::erase_if(sheet_->model().drawings(), [&](const engine::DrawingObject& d) { return wanted(d); });
    }

private:
    bool wanted(const engine::DrawingObject& d) const { return type_ == 0 || d.type == type_; }
    EmbeddedWorksheetPtr sheet_;
    int type_;
};

class CommentList : public host::Comments {
public:
    explicit CommentList(EmbeddedWorksheetPtr sheet) : sheet_(std::move(sheet)) {
        cells_ = engine::commentCells(sheet_->model(), {engine::Area{1, 1, kMaxRows, kMaxColumns}});
    }
    long Count() const override { return static_cast<long>(cells_.size()); }
    CommentPtr Item(long index) const override {
        if (index < 1 || index > Count()) throw Error(errSubscript, "Subscript out of range");
        const engine::Area& a = cells_[index - 1];
        return std::make_shared<CellComment>(sheet_, a.row1, a.col1);
    }

private:
    EmbeddedWorksheetPtr sheet_;
    std::vector<engine::Area> cells_;
};

}  // namespace

ShapesPtr EmbeddedWorksheet::Shapes() const {
    sheet_->requireLive();
    return std::make_shared<ShapeList>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()),
                                       std::vector<size_t>{});
}

DrawingCollectionPtr EmbeddedWorksheet::DrawingObjects() const {
    sheet_->requireLive();
    return std::make_shared<DrawingList>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()), 0);
}

DrawingCollectionPtr EmbeddedWorksheet::Pictures() const {
    sheet_->requireLive();
    return std::make_shared<DrawingList>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()), msoPicture);
}

DrawingCollectionPtr EmbeddedWorksheet::ChartObjects() const {
    sheet_->requireLive();
    return std::make_shared<DrawingList>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()), msoChart);
}

CommentsPtr EmbeddedWorksheet::Comments() const {
    sheet_->requireWorksheet();
    return std::make_shared<CommentList>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()));
}

}  // namespace host::embedded
