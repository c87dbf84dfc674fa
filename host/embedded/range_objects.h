#pragma once
// The pieces a CellRange hands out: Areas, Interior, Validation and Comment objects.
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "engine/sheet_objects.h"
#include "host/embedded/cell_range.h"
#include "host/embedded/embedded_worksheet.h"

namespace host::embedded {

class AreaList : public host::Areas {
public:
    explicit AreaList(std::vector<RangePtr> parts) : parts_(std::move(parts)) {}
    long Count() const override { return static_cast<long>(parts_.size()); }
    RangePtr Item(long index) const override;

private:
    std::vector<RangePtr> parts_;
};

class RangeInterior : public host::Interior {
public:
    explicit RangeInterior(std::shared_ptr<CellRange> range) : range_(std::move(range)) {}
    int ColorIndex() const override;
    void setColorIndex(int index) override;

private:
    std::shared_ptr<CellRange> range_;
};

class RangeValidation : public host::Validation {
public:
    explicit RangeValidation(std::shared_ptr<CellRange> range) : range_(std::move(range)) {}
    void Delete() override;
    void Add(int type, std::optional<int> alertStyle, std::optional<int> op, const std::u16string& formula1,
             const std::u16string& formula2) override;
    int Type() const override { return rule().type; }
    int AlertStyle() const override { return rule().alertStyle; }
    int Operator() const override { return rule().op; }
    std::u16string Formula1() const override;
    std::u16string Formula2() const override { return rule().formula2; }
    bool IgnoreBlank() const override { return rule().ignoreBlank; }
    void setIgnoreBlank(bool v) override {
        edit([&](engine::ValidationRule& r) { r.ignoreBlank = v; });
    }
    bool InCellDropdown() const override { return rule().inCellDropdown; }
    void setInCellDropdown(bool v) override {
        edit([&](engine::ValidationRule& r) { r.inCellDropdown = v; });
    }
    bool ShowInput() const override { return rule().showInput; }
    void setShowInput(bool v) override {
        edit([&](engine::ValidationRule& r) { r.showInput = v; });
    }
    bool ShowError() const override { return rule().showError; }
    void setShowError(bool v) override {
        edit([&](engine::ValidationRule& r) { r.showError = v; });
    }
    std::u16string InputTitle() const override { return rule().inputTitle; }
    void setInputTitle(const std::u16string& v) override {
        edit([&](engine::ValidationRule& r) { r.inputTitle = v; });
    }
    std::u16string ErrorTitle() const override { return rule().errorTitle; }
    void setErrorTitle(const std::u16string& v) override {
        edit([&](engine::ValidationRule& r) { r.errorTitle = v; });
    }
    std::u16string InputMessage() const override { return rule().inputMessage; }
    void setInputMessage(const std::u16string& v) override {
        edit([&](engine::ValidationRule& r) { r.inputMessage = v; });
    }
    std::u16string ErrorMessage() const override { return rule().errorMessage; }
    void setErrorMessage(const std::u16string& v) override {
        edit([&](engine::ValidationRule& r) { r.errorMessage = v; });
    }

private:
    const engine::ValidationRule& rule() const;  // the rule of the first cell; 1004 when none
    // Applies the change to every rule that touches the range; 1004 when none does.
    void edit(const std::function<void(engine::ValidationRule&)>& change);

    std::shared_ptr<CellRange> range_;
};

class CellComment : public host::Comment {
public:
    CellComment(EmbeddedWorksheetPtr sheet, long row, long col) : sheet_(std::move(sheet)), row_(row), col_(col) {}
    std::u16string Text() const override;
    std::u16string Author() const override;
    RangePtr Parent() const override { return sheet_->Cells(row_, col_); }
    void Delete() override;

private:
    const engine::CommentData& data() const;
    EmbeddedWorksheetPtr sheet_;
    long row_, col_;
};

}  // namespace host::embedded
