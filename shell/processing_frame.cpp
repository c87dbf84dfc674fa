#include "shell/processing_frame.h"

#include "host/application.h"
#include "host/constants.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"

namespace shell {

namespace {

host::Application& app() { return *hostApplication; }

}  // namespace

void beginProcessing() {
    resumeNext([] { app().AutoCorrect()->setReplaceText(false); });
    resumeNext([] { app().setDisplayAlerts(false); });
    resumeNext([] { app().setEnableCancelKey(host::xlErrorHandler); });
    resumeNext([] { app().setScreenUpdating(false); });
    resumeNext([] { app().setCalculation(host::xlCalculationManual); });
    resumeNext([] { app().setEnableEvents(false); });
}

void endProcessing() {
    resumeNext([] { app().AutoCorrect()->setReplaceText(true); });
    resumeNext([] { app().setDisplayAlerts(true); });
    resumeNext([] { app().setCalculation(host::xlCalculationAutomatic); });
    resumeNext([] { app().setScreenUpdating(true); });
    resumeNext([] { app().setEnableEvents(true); });
}

}  // namespace shell
