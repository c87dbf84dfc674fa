#pragma once
// A clean language state for each test, as a freshly loaded library has it.
#include <gtest/gtest.h>

#include "shell/host_references.h"
#include "shell/language_state.h"
#include "tests/support/recording_ribbon.h"

namespace shelltest {

using testsupport::RibbonControlStub;

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        shell::languageCode.clear();
        shell::languageCodes.clear();
        shell::labelRow.clear();
        shell::msgNoWorkbook.clear();
        shell::msgListUpdated.clear();
        shell::screenTips.clear();
        shell::superTips.clear();
        shell::ribbonUI.reset();
    }
    // Start-up in ribbon mode: the empty code, then the tip tables.
    static void loadAtStart() {
        std::u16string code;
        shell::loadLanguageRow(code);
        shell::loadScreenTips();
        shell::loadSuperTips();
    }
};

}  // namespace shelltest
