// A main frame with the dialogs and the workspace hooked in, a settings store in memory and
// the worked example open: the pages of the sheet "Assumptions" are driven through it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "persist/Settings.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "app/MainWindow.h"
#include "ui/workspace/Workspace.h"

struct WorkedExampleFrame : ::testing::Test {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    std::unique_ptr<MainWindow> frame;
    void SetUp() override {
        frame = std::make_unique<MainWindow>(store, ui);
        frame->StartWith({});
        SetUpWorkedExample(frame->Document());
        frame->Doc().Replaced();
    }
};
