#include "shell/undo_redo.h"

#include <string>

#include "forms/msg_box.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"

namespace shell {

namespace {

constexpr std::u16string_view kUndoSuffix = u"_Undo";
constexpr std::u16string_view kRedoSuffix = u"_Redo";
constexpr size_t kMaxSheetName = 31;

host::Application& app() { return *hostApplication; }

// The first sheet, by position, named exactly (case-sensitively) one of the names.
host::WorksheetPtr firstSheetNamed(const std::u16string& a, const std::u16string& b = u"") {
    auto sheets = app().Sheets();
    for (long i = 1; i <= sheets->Count(); ++i) {
        auto sheet = sheets->Item(i);
        const auto name = sheet->Name();
        if (name == a || (!b.empty() && name == b)) return sheet;
    }
    return nullptr;
}

// A sheet whose name leaves no room for the suffix cannot be snapshotted without leaving a
// nameless hidden copy behind; the user hears why and the tool runs without an undo copy.
// (Undo and redo then find no copy of that sheet, so they never half-swap a pair.)
bool suffixFits(const std::u16string& name) {
    if (name.size() + kUndoSuffix.size() <= kMaxSheetName) return true;
    forms::MsgBox(u"The sheet name \"" + name + u"\" is longer than " + std::u16string(u"26") +
                      u" characters, so Cellwash cannot keep an undo copy of it." +
                      u"\r\nRename the sheet to use Undo and Redo.",
                  forms::vbOKOnly | forms::vbExclamation, std::u16string(u"Cellwash"));
    return false;
}

void hostBusy() {
    app().setEnableCancelKey(host::xlErrorHandler);
    app().setScreenUpdating(false);
    app().setCalculation(host::xlCalculationManual);
    app().setDisplayAlerts(false);
}

void hostIdle() {
    app().setCalculation(host::xlCalculationAutomatic);
    app().setScreenUpdating(true);
    app().setDisplayAlerts(true);
}

bool noWorkbook() {
    if (app().Workbooks()->Count() != 0) return false;
    forms::MsgBox(u"Pleas add or open a workbook!!", forms::vbOKOnly);
    return true;
}

// The frame of undo and redo around a swap step.
template <class Swap>
void swapFrame(Swap swap) {
    if (noWorkbook()) return;
    app().setEnableCancelKey(host::xlErrorHandler);
    app().setStatusBar(host::Variant(u"Processing...!"));
    app().setScreenUpdating(false);
    app().setCalculation(host::xlCalculationManual);
    app().setDisplayAlerts(false);
    const std::u16string name = app().ActiveSheet()->Name();
    swap(name);
    app().Sheets()->Item(name)->Activate();
    app().setCalculation(host::xlCalculationAutomatic);
    app().setStatusBar(host::Variant(u"Ready"));
    app().setScreenUpdating(true);
    app().setDisplayAlerts(true);
}

}  // namespace

void takeUndoSnapshot() {
    hostBusy();
    const std::u16string name = app().ActiveSheet()->Name();
    if (suffixFits(name)) {
        const std::u16string undoName = name + std::u16string(kUndoSuffix);
        if (auto old = firstSheetNamed(undoName, name + std::u16string(kRedoSuffix))) old->Delete();
        auto live = app().ActiveSheet();
        live->Copy(live);
        auto copy = app().ActiveSheet();
        copy->setName(undoName);
        copy->setVisible(host::xlSheetHidden);
        app().Sheets()->Item(name)->Activate();
    }
    hostIdle();
}

void setUndoRedoState(bool& undo, bool& redo) {
    undoEnabled = undo;
    redoEnabled = redo;
    // In legacy menu mode there is no ribbon object: both requests fail and are ignored.
    resumeNext([] {
        if (!ribbonUI) throw host::Error(host::errObjectRequired, "Object required");
        ribbonUI->InvalidateControl(u"btnUndo_02");
    });
    resumeNext([] {
        if (!ribbonUI) throw host::Error(host::errObjectRequired, "Object required");
        ribbonUI->InvalidateControl(u"btnRedo_03");
    });
}

void undoLastAction() {
    swapFrame([](const std::u16string& name) {
        auto saved = firstSheetNamed(name + std::u16string(kUndoSuffix));
        if (!saved) return;
        const std::u16string redoName = name + std::u16string(kRedoSuffix);
        app().Sheets()->Item(name)->setName(redoName);
        saved->setName(name);
        saved->setVisible(host::xlSheetVisible);
        app().Sheets()->Item(redoName)->setVisible(host::xlSheetHidden);
    });
}

void redoLastAction() {
    swapFrame([](const std::u16string& name) {
        auto saved = firstSheetNamed(name + std::u16string(kRedoSuffix));
        if (!saved) return;
        saved->setVisible(host::xlSheetVisible);
        auto live = app().Sheets()->Item(name);
        live->setVisible(host::xlSheetHidden);
        live->setName(name + std::u16string(kUndoSuffix));
        saved->setName(name);
    });
}

}  // namespace shell
