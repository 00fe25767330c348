// Renders each dialog of the depreciation, loan, investor, projection, results-year and
// linked-variables editors and of the two breakdowns to $VEL_SCREENSHOT_DIR/dialog-<name>.png,
// opened through EditItem on the worked example, as the user sees them. Skipped without it.
#include <QDir>
#include <QTabWidget>

#include <utility>
#include <vector>

#include "model/Scales.h"
#include "persist/SettingsStore.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/ItemEditors.h"

namespace {

// Grabs the next modal dialog, one picture per tab page named in `pages` (a dialog without
// pages takes the first name), then cancels it.
void CaptureNextDialog(const QString& dir, std::vector<const char*> pages) {
    OnNextDialog([dir, pages](QDialog& dialog) {
        auto* tabs = dialog.findChild<QTabWidget*>();
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (tabs) tabs->setCurrentIndex(static_cast<int>(i));
            QCoreApplication::processEvents();
            const QString path =
                QDir(dir).filePath(QStringLiteral("dialog-%1.png").arg(pages[i]));
            EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
        }
        CancelButton(dialog)->click();
    });
}

} // namespace

TEST(Screenshots, Dialogs2) {
    Scales scales;
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";
    QDir().mkpath(dir);
    Investment doc;
    SetUpWorkedExample(doc, 1);
    MemorySettingsStore store;

    const std::vector<std::pair<unsigned, std::vector<const char*>>> items = {
        {ItemDepreciation, {"depreciation-building", "depreciation-fittings"}},
        {ItemLoanDetails, {"loan-amount"}},
        {ItemLoanType, {"loan-type"}},
        {ItemLoanCosts, {"loan-costs"}},
        {ItemInvestor, {"investor-details"}},
        {ItemProjections, {"projections"}},
        {ItemResults, {"results-year"}},
        {ItemTaxSavings, {"tax-savings"}},
        {ItemCashFlowYear, {"after-tax-cash"}},
    };
    for (const auto& [item, pages] : items) {
        CaptureNextDialog(dir, pages);
        EditItem(doc, scales, store, KeepingUi(), item, nullptr);
    }
    CaptureNextDialog(dir, {"linked-variables"});
    EditLinkedVariables(doc, scales, store, KeepingUi(), nullptr);
}
