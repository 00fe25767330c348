// Renders each dialog of the property, deposit, rent and expenses editors to
// $VEL_SCREENSHOT_DIR/dialog-<name>.png, filled with the worked example. Skipped without it.
#include <QDir>
#include <QTabWidget>

#include "model/Scales.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/DepositRentDialogs.h"
#include "ui/dialogs/DepositRentEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"

namespace {

void Save(QWidget& dialog, const QString& dir, const char* name) {
    dialog.show();
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(QStringLiteral("dialog-%1.png").arg(name));
    EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
    dialog.hide();
}

} // namespace

TEST(Screenshots, Dialogs1) {
    Scales scales;
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";
    QDir().mkpath(dir);

    PropertyDescriptionLogic desc;
    desc.address = u"12 Smith Street, Toowong QLD 4066";
    desc.description = u"Two-bedroom unit, second floor";
    NotesLogic notes;
    notes.notes = u"Body corporate fees quarterly.\nTenant in place until June.";
    DetailsSheet details(desc, notes, KeepingUi());
    Save(details, dir, "details");
    details.Tabs()->setCurrentIndex(1);
    Save(details, dir, "details-notes");

    PropertyValueLogic value;
    value.price = value.marketValue = 300000;
    EditorDialog valueDialog(value, kPropertyValueDialog, KeepingUi());
    Save(valueDialog, dir, "property-value");

    PurchaseCostsLogic costs;
    costs.price = 300000;
    costs.stampDuty = 8975;
    costs.conveyancing = 950;
    costs.scale = scales.duty;
    PurchCostsDialog costsDialog(costs, scales, KeepingUi());
    Save(costsDialog, dir, "purchase-costs");

    CashDepositLogic deposit;
    deposit.price = 300000;
    deposit.purchaseCosts = 9925;
    deposit.deposit.amount = 15496.25;
    deposit.deposit.percent = 5;
    deposit.deposit.link = 1;
    EditorDialog depositDialog(deposit, kCashDepositDialog, KeepingUi());
    Save(depositDialog, dir, "cash-deposit");

    RentIncomeLogic rent;
    rent.rent = 350;
    rent.periodsPerYear = 52;
    rent.vacancyRate = 2;
    EditorDialog rentDialog(rent, kRentIncomeDialog, KeepingUi());
    Save(rentDialog, dir, "rental-income");

    RentExpensesLogic expenses;
    expenses.annualRent = 18200;
    expenses.expenses.amount = 4095;
    expenses.expenses.percent = 22.5;
    expenses.expenses.link = 1;
    expenses.marketValue = 300000;
    EditorDialog expensesDialog(expenses, kRentExpensesDialog, KeepingUi());
    Save(expensesDialog, dir, "rental-expenses");
}
