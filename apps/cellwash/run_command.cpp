#include "apps/cellwash/run_command.h"

#include <chrono>
#include <ostream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "apps/cellwash/book_changes.h"
#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line_user.h"
#include "apps/cellwash/language_switch.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/recipe.h"
#include "apps/cellwash/run_report.h"
#include "apps/cellwash/selection_arguments.h"
#include "apps/cellwash/tool_lookup.h"
#include "apps/cellwash/workbook_batch.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "engine/address.h"
#include "files/engine_binding.h"
#include "forms/msg_box.h"
#include "host/command_bars.h"
#include "host/error.h"
#include "host/range.h"
#include "host/text.h"
#include "session/file_handlers.h"
#include "session/host_session.h"
#include "shell/undo_redo.h"

namespace cli {

namespace {

// A run holds arrays of tens of megabytes (a column's cells, its indexes) that grow by
// doubling; glibc keeps the ones outgrown as free room in its heap, resident, and the next
// stage's buffers seldom fit them. Between the stages that room goes back to the system.
// (Sending every big block straight back instead, with a fixed mmap threshold, made the save
// fault its buffers in again and again.)
void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

UserScript scriptOf(const ToolStep& options, const shell::CatalogueEntry& tool) {
    UserScript script;
    script.dialogActions = dialogActionsOf(tool, options.tool, options.plain);
    for (const auto& setting : options.sets) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos || equals == 0)
            throw Failure(kUsage, "--set takes CONTROL=VALUE, not \"" + setting + "\"");
        forms::UserAction action;
        action.control = host::utf16(setting.substr(0, equals));
        const std::string value = setting.substr(equals + 1);
        if (value == "true" || value == "false") {
            action.kind = forms::ActionKind::SetValue;
            action.flag = value == "true";
        } else {
            action.kind = forms::ActionKind::SetText;
            action.text = host::utf16(value);
        }
        script.dialogActions.push_back(action);
    }
    for (const auto& control : options.clicks) {
        forms::UserAction click;
        click.control = host::utf16(control);
        script.dialogActions.push_back(click);
    }
    // The count tools count as their dialog opens and have no Yes step: the user reads and closes.
    const bool counts =
        tool.target == shell::TargetFamily::CountTool1to3 || tool.target == shell::TargetFamily::CountTool4to5;
    if (options.no)
        script.confirm = false;
    else if (!counts)
        script.confirm = true;
    if (options.answer) {
        if (*options.answer != "yes" && *options.answer != "no") throw Failure(kUsage, "--answer takes yes or no");
        script.answer = *options.answer == "yes" ? forms::vbYes : forms::vbNo;
    }
    if (options.stopAfter && *options.stopAfter < 1) throw Failure(kUsage, "--stop-after takes a number from 1");
    script.stopAtYield = options.stopAfter;
    return script;
}

// The legacy menu button carrying `tag`, searched below the menu bar.
host::CommandBarControlPtr buttonTagged(const host::CommandBarControlsPtr& controls, const std::u16string& tag) {
    for (long i = 1; i <= controls->Count(); ++i) {
        auto control = controls->Item(i);
        if (control->Type() == host::msoControlButton && control->Tag() == tag) return control;
        if (control->Type() == host::msoControlPopup)
            if (auto found = buttonTagged(control->Controls(), tag)) return found;
    }
    return nullptr;
}

void prepareSheet(host::embedded::EmbeddedApplication& app, engine::Book& book, const ToolStep& options) {
    if (options.sheet) activateSheet(book, *options.sheet);
    if (options.select && !options.columns.empty()) throw Failure(kUsage, "give --select or --column, not both");
    std::optional<std::u16string> selection;
    if (options.select) selection = typedSelection(*options.select);
    if (!options.columns.empty()) selection = columnsUnderHeaders(*book.activeSheet(), options.columns);
    try {
        if (selection) app.Range(*selection)->Select();
        if (options.active) app.Range(host::utf16(*options.active))->Activate();
    } catch (const host::Error&) {
        throw Failure(kUsage, "--select/--active take addresses of the active sheet, such as B2:B40 or B2");
    }
}

void click(session::HostSession& session, const shell::CatalogueEntry& tool, bool legacy) {
    if (!legacy) {
        const std::u16string id(tool.controlId);
        // A greyed-out button does nothing when clicked; the user is told rather than left guessing.
        if ((session.ribbon().find(id) || session.openMenuHolding(id)) && !session.ribbon().enabled(id))
            throw Failure(kRefused, "\"" + host::utf8(session.ribbon().label(id)) +
                                        "\" is greyed out on the ribbon: nothing was done or written");
        session.clickRibbon(id);
        return;
    }
    auto bar = session.app().CommandBars()->Item(1);
    auto button = buttonTagged(bar->Controls(), std::u16string(tool.legacyTag));
    if (!button) throw Failure(kUsage, "the legacy menu has no button for " + host::utf8(tool.legacyTag));
    session.app().commandBarSet().click(button);
}

// A fresh host has Undo and Redo greyed out; the file's snapshot sheets tell what the ribbon
// showed when the workbook was saved, so the buttons are set as they stood then.
void restoreUndoButtons(engine::Book& book) {
    const std::u16string name = book.activeSheet()->name();
    bool undo = book.sheetNamed(name + u"_Undo") != nullptr;
    bool redo = book.sheetNamed(name + u"_Redo") != nullptr;
    shell::setUndoRedoState(undo, redo);
}

// Dialog settings and clicks the dialog could not take (no such control, or a value the
// control does not hold) are usage errors: nothing is written.
void refuseIgnoredActions(const CommandLineUser& user, const std::string& tool) {
    std::string problem = user.unfit().value_or("");
    for (const auto& action : user.ignored())
        problem += (problem.empty() ? "" : "; ") + host::utf8(action) + " was ignored";
    if (problem.empty()) return;
    throw Failure(kUsage, problem + " (`cellwash run " + tool + " --help` lists its controls); nothing was written");
}

// Cells the tool tried to write but the sheet refused, the first named as the user names it.
void noteRefusedWrites(const engine::Book& book, RunReport& report) {
    for (const auto& sheet : book.sheets()) {
        const auto& refused = sheet->refusedWrites();
        if (!refused.count) continue;
        if (report.firstNotWritten.empty())
            report.firstNotWritten = host::utf8(sheet->name()) + "!" +
                                     host::utf8(engine::columnLetters(refused.firstCol)) +
                                     std::to_string(refused.firstRow) + ": " + refused.firstReason;
        report.cellsNotWritten += refused.count;
    }
}

std::string oneLine(std::u16string text) {
    for (auto& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    return host::utf8(text);
}

// A run ends the way the user asked, or says why it did not: the dialog still open after it
// was answered (the tool refused what it held), or Yes pressed and no message reached.
std::optional<std::string> unfinishedRun(const CommandLineUser& user) {
    if (user.leftOpen()) {
        std::string why =
            std::string("the dialog was still open after ") + (user.answeredYes() ? "Yes" : "No") + " was pressed";
        if (!user.messageBoxes().empty())
            why += " (the tool said \"" + oneLine(user.messageBoxes().back().prompt) + "\")";
        return why + "; nothing was written";
    }
    if (user.answeredYes() && alertsOf(user).empty() && user.messageBoxes().empty() && !user.pressedStop())
        return "Yes was pressed but the tool reached no message; nothing was written";
    return std::nullopt;
}

// The tools' own refusals of what the dialog held (the opening checks are the dialog's).
constexpr std::u16string_view kToolRefusals[] = {
    u"Please Select Two Column!",
    u"Nth Row must be a whole number of 1 or more",
    u"Nth Row is bigger than total selected rows",
    u"Number of Rows must be a whole number of 1 or more",
};

bool isRefusal(const std::u16string& message) {
    for (auto refusal : kToolRefusals)
        if (message == refusal) return true;
    for (auto check : {dialog::OpeningCheck::ActiveSheetEmpty, dialog::OpeningCheck::ActiveSheetTotallyEmpty,
                       dialog::OpeningCheck::SelectionEmpty, dialog::OpeningCheck::SingleColumn})
        if (message == dialog::openingCheckMessage(check)) return true;
    return false;
}

}  // namespace

// The session's user stays one object; each step brings its own script.
class StepSession::ForwardingUser : public forms::UiDriver {
public:
    CommandLineUser* current = nullptr;

    std::optional<forms::UserAction> nextAction(forms::Form& top) override {
        return current ? current->nextAction(top) : std::nullopt;
    }
    std::vector<forms::UserAction> doEvents(forms::Form* top) override {
        return current ? current->doEvents(top) : std::vector<forms::UserAction>{};
    }
    int msgBox(const forms::MsgBoxRequest& request) override {
        return current ? current->msgBox(request) : request.dismissAnswer();
    }
    void formShown(forms::Form& form) override {
        if (current) current->formShown(form);
    }
    void actionIgnored(const forms::UserAction& action) override {
        if (current) current->actionIgnored(action);
    }
};

StepSession::StepSession(const SessionSettings& settings, std::ostream& err)
    : settings_(settings),
      err_(err),
      legacy_(std::atof(settings.hostVersion.c_str()) <= 11.0),
      user_(std::make_unique<ForwardingUser>()) {
    session_ = std::make_unique<session::HostSession>(
        session::HostSessionOptions{.version = host::utf16(settings.hostVersion),
                                    .startWithBlankWorkbook = true,  // as the host starts, with Book1
                                    .startUp = false,
                                    .driver = user_.get()});
    session::registerFileHandlers(session_->app());
    session_->startUp();
    if (settings.lang) {
        if (legacy_) throw Failure(kUsage, "--lang needs the ribbon (a host version above 11.0)");
        switchLanguage(*session_, *settings.lang);
    }
}

StepSession::~StepSession() = default;

engine::Book& StepSession::open(const std::string& path) {
    book_ = openBook(session_->app(), path);
    releaseFreedMemory();  // the load's buffers, before a tool's arrays grow
    return *book_;
}

StepResult StepSession::run(const ToolStep& step) {
    const auto started = std::chrono::steady_clock::now();
    const auto tool = findTool(step.tool);
    if (!tool) throw Failure(kUsage, "unknown tool \"" + step.tool + "\" (`cellwash tools` lists them)");
    StepResult result;
    result.user = std::make_unique<CommandLineUser>(scriptOf(step, *tool));
    CommandLineUser& user = *result.user;
    if (settings_.progressBar)
        user.onProgress = [this](const std::u16string& caption) {
            err_ << "\r" << host::utf8(caption) << "   " << std::flush;
        };
    user_->current = &user;
    auto& book = *book_;
    prepareSheet(session_->app(), book, step);
    restoreUndoButtons(book);

    const BookPicture before(book);
    click(*session_, *tool, legacy_);
    user_->current = nullptr;
    if (settings_.progressBar && !user.progress().empty()) err_ << "\n";

    RunReport& report = result.report;
    report.command = host::utf8(tool->commandKey.empty() ? tool->controlId : tool->commandKey);
    report.user = &user;
    const auto status = session_->app().StatusBar();
    report.statusBar = status.isBoolean() ? "" : host::utf8(status.toText());
    report.changes = before.changesIn(book);
    refuseIgnoredActions(user, step.tool);
    if (user.pressedStop()) {
        const auto loop = dialog::latestLoop();
        report.stoppedAfter = std::pair(static_cast<int>(loop.done), static_cast<int>(loop.total));
    }
    noteRefusedWrites(book, report);
    for (const auto& [heading, message] : alertsOf(user)) report.refused = report.refused || isRefusal(message);
    report.unfinished = unfinishedRun(user);
    report.refused = report.refused || report.unfinished;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    releaseFreedMemory();  // the arrays the tool outgrew, before the next step or the save
    return result;
}

int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err) {
    std::ostream& reports = writesToStandardOutput(options.output) ? err : out;
    const WorkbookBatch batch{options.workbooks, options.output, options.outDir, options.fileLines, options.json};
    bool ranOnce = false;
    const int worst = forEachWorkbook(
        batch, reports, err, [&](const std::string& workbook, const OutputChoice& output, nlohmann::json& json) {
            StepSession session(options, err);
            auto& book = session.open(workbook);
            StepResult step = session.run(options);
            RunReport& report = step.report;
            if (!report.refused) report.written = writeBook(book, workbook, output, report.notes, out);
            if (options.json)
                json = jsonReport(report);
            else
                printReport(report, reports);
            if (report.unfinished)
                err << "cellwash: " << (options.workbooks.size() > 1 ? workbookName(workbook) + ": " : "")
                    << *report.unfinished << "\n";
            if (report.refused) return kRefused;
            ranOnce = true;
            return kDone;
        });
    if (options.record && ranOnce) appendToRecipe(*options.record, options);
    return worst;
}

}  // namespace cli
