// A main frame with the dialogs and the workspace hooked in, a settings store in memory and
// the worked example open: the pages of the sheet "Assumptions" are driven through it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "persist/Settings.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/shell/MainFrame.h"
#include "ui/workspace/Workspace.h"

struct WorkedExampleFrame : ::testing::Test {
    HooksGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
    void SetUp() override {
        InstallDialogHooks();
        InstallWorkspaceHooks();
        frame = std::make_unique<CMainFrame>(store, ui);
        frame->StartWith({});
        SetUpWorkedExample(frame->Document());
        frame->Doc().Replaced();
    }
};
