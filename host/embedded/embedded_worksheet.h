#pragma once
// The object model's Worksheet over an engine sheet. The engine sheet keeps the handle it was
// given (Sheet::hostObject), so the same sheet yields the same Worksheet while one is held;
// a handle on a deleted sheet fails with 424.
#include <memory>
#include <string>
#include <vector>

#include "engine/sheet.h"
#include "host/worksheet.h"

namespace host::embedded {

class EmbeddedApplication;

class EmbeddedWorksheet : public host::Worksheet, public std::enable_shared_from_this<EmbeddedWorksheet> {
public:
    // The handle on `sheet` (nullptr for none): the one already handed out while it is held,
    // else a new one that reaches the application through `app`.
    static std::shared_ptr<EmbeddedWorksheet> of(const engine::SheetPtr& sheet,
                                                 const std::weak_ptr<EmbeddedApplication>& app);

    engine::Sheet& model() const { return *sheet_; }
    const engine::SheetPtr& sheet() const { return sheet_; }
    std::shared_ptr<EmbeddedApplication> app() const { return app_.lock(); }

    std::u16string Name() const override;
    void setName(const std::u16string& name) override;
    int Visible() const override;
    void setVisible(int visibility) override;
    int Type() const override { return sheet_->type(); }
    long Index() const override;
    WorkbookPtr Parent() const override;
    void Activate() override;
    void Select() override;
    void Copy(const WorksheetPtr& before) override;
    void Delete() override;
    RangePtr Cells() const override;
    RangePtr Cells(long row, long column) const override;
    RangePtr Range(const std::u16string& address) const override;
    RangePtr Range(const RangePtr& cell1, const RangePtr& cell2) const override;
    RangePtr Rows() const override;
    RangePtr Columns() const override;
    RangePtr UsedRange() const override;
    Variant Evaluate(const std::u16string& formula) const override;
    ShapesPtr Shapes() const override;
    DrawingCollectionPtr DrawingObjects() const override;
    DrawingCollectionPtr Pictures() const override;
    DrawingCollectionPtr ChartObjects() const override;
    CommentsPtr Comments() const override;

    // A range handle on this sheet.
    RangePtr rangeOf(std::vector<engine::Area> areas) const;

private:
    EmbeddedWorksheet(engine::SheetPtr sheet, std::weak_ptr<EmbeddedApplication> app)
        : sheet_(std::move(sheet)), app_(std::move(app)) {}

    engine::SheetPtr sheet_;
    std::weak_ptr<EmbeddedApplication> app_;
};

using EmbeddedWorksheetPtr = std::shared_ptr<EmbeddedWorksheet>;

}  // namespace host::embedded
