// EditItem end to end, offscreen: type into the dialogs, move the focus, press Recalculate,
// accept or cancel, then read the record and the settings store.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <vector>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/DepositRentEditors.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/ScaleDialogs.h"
#include "ui/dialogs/NumEdit.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"

namespace {

using Strings = std::vector<std::string>;

struct EditItemFlow : ::testing::Test {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;

    void SetUp() override {
        NewInvestment(doc, scales, store);
        store.log.clear();
    }

    // Price and market value 300,000 and rent 350 a week, recalculated.
    void WorkedExample() {
        doc.Price = doc.MarketValue = 300000;
        doc.Rent = 350;
        doc.Recalculate(scales);
    }
    void Edit(unsigned item, std::function<void(QDialog&)> act) {
        OnNextDialog(std::move(act));
        EditItem(doc, scales, store, KeepingUi(), item, nullptr);
    }
    // Every input, derived value and cell that an editor or a recalculation could change.
    std::vector<double> Snapshot() const {
        std::vector<double> v = {doc.Price, doc.Renovations, doc.Furniture, doc.MarketValue,
                                 doc.StampDutyCost, doc.Conveyancing, doc.OtherCosts,
                                 doc.PurchaseCosts, double(doc.UseSDScale), doc.CashDeposit,
                                 doc.DepositPC, double(doc.CalcDeposit), doc.LoanCosts,
                                 doc.TotalCost, doc.LoanAmount, doc.Rent,
                                 double(doc.PeriodsPerYear), doc.VacancyRate, doc.Expenses,
                                 doc.ExpensesPC, double(doc.CalcExpenses), doc.AvgCashFlowWeek};
        v.insert(v.end(), doc.table.begin(), doc.table.end());
        return v;
    }
};

template <class W> W* In(QDialog& d, int id) {
    W* w = ControlOf<W>(d, id);
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}
QLineEdit* EditOf(QDialog& d, int id) { return In<QLineEdit>(d, id); }
QString Figure(QDialog& d, int id) { return In<QLabel>(d, id)->text(); }

void Recalculate(QDialog& d) { ClickLikeUser(RecalculateOf(d)); }

} // namespace

TEST_F(EditItemFlow, RowsWithoutAnEditorDoNothing) {
    WorkedExample();
    const auto before = Snapshot();
    for (unsigned item : {14u, 16u, 17u, 18u, 19u, 1000u}) {
        QTimer::singleShot(0, [item] {
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "item " << item << " opened a dialog";
                open->reject();
            }
        });
        EditItem(doc, scales, store, KeepingUi(), item, nullptr);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(store.log.empty());
}

// Whatever was typed, Cancel and Escape leave the record, the view and the store alone.
TEST_F(EditItemFlow, CancelAndEscapeChangeNothing) {
    WorkedExample();
    const auto before = Snapshot();
    for (unsigned item = ItemProperty; item <= ItemExpenses; ++item) {
        for (bool escape : {false, true}) {
            Edit(item, [escape](QDialog& d) {
                for (QLineEdit* edit : d.findChildren<QLineEdit*>())
                    if (edit->isVisible()) Retype(edit, QStringLiteral("1234"));
                if (QAbstractButton* recalculate = RecalculateOf(d)) ClickLikeUser(recalculate);
                if (escape) SendKey(QApplication::focusWidget(), Qt::Key_Escape, "\x1b");
                else CancelButton(d)->click();
            });
            EXPECT_EQ(Snapshot(), before) << "item " << item;
        }
    }
    EXPECT_EQ(doc.Address, u"");
    EXPECT_TRUE(store.log.empty());
}

// From the keyboard alone: the first field's text is selected, so typing replaces it; Tab
// goes on through every control to OK and Cancel; Enter in any field is OK.
TEST_F(EditItemFlow, KeyboardAloneTypesTabsAndAccepts) {
    WorkedExample();
    Edit(ItemPropertyValue, [](QDialog& d) {
        QCoreApplication::processEvents(); // the dialog selects once it has given the focus
        auto* first = qobject_cast<QLineEdit*>(d.focusWidget());
        ASSERT_TRUE(first);
        EXPECT_EQ(first, ControlOf<QLineEdit>(d, PropertyValueLogic::kPrice));
        EXPECT_EQ(first->selectedText(), first->text());
        QWidget* w = first;
        bool reachedOk = false, reachedCancel = false;
        for (int i = 0; i < 20 && !(reachedOk && reachedCancel); ++i) {
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled())
                w = w->nextInFocusChain();
            reachedOk |= w == OkButton(d);
            reachedCancel |= w == CancelButton(d);
        }
        EXPECT_TRUE(reachedOk && reachedCancel);
        Retype(first, QStringLiteral("320,000"));
        SendKey(first, Qt::Key_Return, "\r");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(doc.Price, 320000);
}

// "6,5" is never 65: where the desktop writes decimals with a comma it is 6.5; elsewhere OK
// refuses it, the field keeping the focus, until it is typed again.
TEST_F(EditItemFlow, ACommaThatCannotGroupIsNeverThousands) {
    WorkedExample();
    for (bool commaDesktop : {true, false}) {
        QLocale::setDefault(commaDesktop ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        Edit(ItemLoanType, [commaDesktop](QDialog& d) {
            QLineEdit* rate = ControlOf<QLineEdit>(d, LoanTypeLogic::kInterestRate);
            rate->setFocus();
            Retype(rate, QStringLiteral("6,5"));
            OkButton(d)->click();
            EXPECT_EQ(d.isVisible(), !commaDesktop);
            if (!commaDesktop) {
                EXPECT_EQ(rate->text(), QStringLiteral("6,5"));
                Retype(rate, QStringLiteral("6.25"));
                OkButton(d)->click();
            }
        });
        EXPECT_EQ(doc.RateInterest, commaDesktop ? 6.5 : 6.25);
    }
    QLocale::setDefault(QLocale::system());
}

TEST_F(EditItemFlow, DetailsTakesTextsOnly) {
    doc.Notes = u"keep me";
    doc.TotalCost = -1; // would be overwritten by a recalculation
    Edit(ItemProperty, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Details"));
        EXPECT_EQ(d.findChild<QTabWidget*>()->tabText(1), QStringLiteral("Notes"));
        Retype(EditOf(d, PropertyDescriptionLogic::kAddress), QStringLiteral("12 Smith St"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.Address, u"12 Smith St");
    EXPECT_EQ(doc.Notes, u"keep me"); // the page never opened
    EXPECT_EQ(doc.TotalCost, -1);
    EXPECT_TRUE(store.log.empty());
    Edit(ItemProperty, [](QDialog& d) {
        d.findChild<QTabWidget*>()->setCurrentIndex(1);
        auto* notes = ControlOf<QPlainTextEdit>(d, NotesLogic::kNotes);
        EXPECT_EQ(notes->toPlainText(), QStringLiteral("keep me"));
        notes->setPlainText(QStringLiteral("line 1\nline 2"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.Notes, u"line 1\nline 2");
}

// The worked example entered through the dialogs alone.
TEST_F(EditItemFlow, WorkedExampleThroughTheDialogs) {
    Edit(ItemPropertyValue, [](QDialog& d) {
        Retype(EditOf(d, PropertyValueLogic::kPrice), QStringLiteral("300000"));
        Retype(EditOf(d, PropertyValueLogic::kMarketValue), QStringLiteral("300,000"));
        Recalculate(d);
        EXPECT_EQ(Figure(d, PropertyValueLogic::kBookValue), QStringLiteral("300,000"));
        OkButton(d)->click();
    });
    EXPECT_TRUE(store.log.empty()); // "Property Value" writes no defaults
    Edit(ItemRent, [](QDialog& d) {
        Retype(EditOf(d, RentIncomeLogic::kAmount), QStringLiteral("350"));
        OkButton(d)->click();
    });
    EXPECT_EQ(store.log, (Strings{"SettingsFile/PeriodsPerYear=52", "SettingsFile/VacancyRate=2.00"}));
    EXPECT_DOUBLE_EQ(doc.StampDutyCost, 8975);
    EXPECT_DOUBLE_EQ(doc.PurchaseCosts, 9925);
    EXPECT_DOUBLE_EQ(doc.CashDeposit, 15496.25);
    EXPECT_NEAR(doc.LoanCosts, 4416.43125, 1e-6);
    EXPECT_NEAR(doc.TotalCost, 314341.43125, 1e-6);
    EXPECT_NEAR(doc.LoanAmount, 298845.18125, 1e-6);
    EXPECT_NEAR(doc.At(Row::AfterTaxCash, 0), -5394.19, 0.01);
}

TEST_F(EditItemFlow, PropertyValueNewPriceMovesTheMarketValue) {
    doc.Price = 300000;
    doc.Renovations = 20000;
    doc.MarketValue = 320000;
    Edit(ItemPropertyValue, [](QDialog& d) {
        Retype(EditOf(d, PropertyValueLogic::kPrice), QStringLiteral("320000"));
        Retype(EditOf(d, PropertyValueLogic::kMarketValue), QStringLiteral("1"));
        Recalculate(d);
        EXPECT_EQ(EditOf(d, PropertyValueLogic::kMarketValue)->text(), QStringLiteral("340,000"));
        EXPECT_EQ(Figure(d, PropertyValueLogic::kBookValue), QStringLiteral("340,000"));
        Retype(EditOf(d, PropertyValueLogic::kFurniture), QStringLiteral("$1,234"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.Price, 320000);
    EXPECT_EQ(doc.MarketValue, 340000);
    EXPECT_EQ(doc.Furniture, 1234);
    EXPECT_TRUE(store.log.empty());
    EXPECT_GT(doc.TotalCost, 320000); // recalculated
}

TEST_F(EditItemFlow, PurchaseCostsTypedDutyLeavesTheScale) {
    WorkedExample();
    Edit(ItemPurchaseCosts, [](QDialog& d) {
        auto* uses = In<QCheckBox>(d, PurchaseCostsLogic::kUsesScale);
        EXPECT_EQ(uses->text(), QStringLiteral("Uses Qld"));
        EXPECT_TRUE(uses->isChecked());
        Retype(EditOf(d, PurchaseCostsLogic::kStampDuty), QStringLiteral("9000"));
        Retype(EditOf(d, PurchaseCostsLogic::kConveyancing), QStringLiteral("1,200"));
        Recalculate(d);
        EXPECT_FALSE(uses->isChecked());
        EXPECT_EQ(Figure(d, PurchaseCostsLogic::kPurchaseCosts), QStringLiteral("10,200"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.StampDutyCost, 9000);
    EXPECT_EQ(doc.UseSDScale, 0);
    EXPECT_EQ(doc.Conveyancing, 1200);
    EXPECT_EQ(doc.PurchaseCosts, 10200);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/UseSDScale=0", "SettingsFile/Conveyancing=1200.00"}));
}

TEST_F(EditItemFlow, CashDepositTypedAmountThenPercentage) {
    WorkedExample();
    Edit(ItemCashDeposit, [](QDialog& d) {
        EXPECT_EQ(Figure(d, CashDepositLogic::kTotalCost), QStringLiteral("309,925"));
        Retype(EditOf(d, CashDepositLogic::kCashDeposit), QStringLiteral("20000"));
        Recalculate(d); // leaves the deposit field
        EXPECT_FALSE(In<QCheckBox>(d, CashDepositLogic::kDepositLink)->isChecked());
        EXPECT_FALSE(EditOf(d, CashDepositLogic::kPercentOfCost)->isVisible());
        EXPECT_EQ(EditOf(d, CashDepositLogic::kPercentOfCost)->text(), QStringLiteral("6.45%"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.CashDeposit, 20000);
    EXPECT_EQ(doc.CalcDeposit, 0);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/DepositPC=6.45", "SettingsFile/CalcDeposit=0"}));

    store.log.clear();
    Edit(ItemCashDeposit, [](QDialog& d) {
        ClickLikeUser(In<QCheckBox>(d, CashDepositLogic::kDepositLink));
        QLineEdit* percent = EditOf(d, CashDepositLogic::kPercentOfCost);
        EXPECT_TRUE(percent->isVisible());
        Retype(percent, QStringLiteral("10"));
        EditOf(d, CashDepositLogic::kCashDeposit)->setFocus(Qt::TabFocusReason); // leaves the percentage
        EXPECT_EQ(EditOf(d, CashDepositLogic::kCashDeposit)->text(), QStringLiteral("30,993"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.CalcDeposit, 1);
    EXPECT_EQ(doc.DepositPC, 10);
    EXPECT_DOUBLE_EQ(doc.CashDeposit, 30992.5);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/DepositPC=10.00", "SettingsFile/CalcDeposit=1"}));
}

TEST_F(EditItemFlow, RentalIncomeByTheMonth) {
    WorkedExample();
    Edit(ItemRent, [](QDialog& d) {
        auto* per = In<QComboBox>(d, RentIncomeLogic::kRentPer);
        EXPECT_EQ(per->currentText(), QStringLiteral("Week"));
        EXPECT_EQ(Figure(d, RentIncomeLogic::kAnnualRent), QStringLiteral("17,836"));
        per->setFocus(Qt::MouseFocusReason);
        per->setCurrentIndex(1);
        emit per->activated(1);
        EXPECT_EQ(EditOf(d, RentIncomeLogic::kAmount)->text(), QStringLiteral("1,517"));
        Retype(EditOf(d, RentIncomeLogic::kVacancyRate), QStringLiteral("150"));
        Recalculate(d);
        EXPECT_EQ(EditOf(d, RentIncomeLogic::kVacancyRate)->text(), QStringLiteral("100.00%"));
        Retype(EditOf(d, RentIncomeLogic::kVacancyRate), QStringLiteral("3"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.PeriodsPerYear, 12);
    EXPECT_DOUBLE_EQ(doc.Rent, 350.0 * 52 / 12); // the converted rent, not the "1,517" shown
    EXPECT_EQ(doc.VacancyRate, 3);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/PeriodsPerYear=12", "SettingsFile/VacancyRate=3.00"}));
}

TEST_F(EditItemFlow, RentalExpensesTypedAmount) {
    WorkedExample();
    Edit(ItemExpenses, [](QDialog& d) {
        EXPECT_EQ(Figure(d, RentExpensesLogic::kAnnualRent), QStringLiteral("18,200"));
        EXPECT_EQ(EditOf(d, RentExpensesLogic::kAnnualExpenses)->text(), QStringLiteral("4,095"));
        Retype(EditOf(d, RentExpensesLogic::kAnnualExpenses), QStringLiteral("5000"));
        Recalculate(d);
        EXPECT_FALSE(EditOf(d, RentExpensesLogic::kPercentOfRent)->isVisible());
        EXPECT_EQ(Figure(d, RentExpensesLogic::kNetRent), QStringLiteral("13,200"));
        EXPECT_EQ(Figure(d, RentExpensesLogic::kNetYield), QStringLiteral("4.40%"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.Expenses, 5000); // no longer linked: the recalculation keeps it
    EXPECT_EQ(doc.CalcExpenses, 0);
    EXPECT_NEAR(doc.ExpensesPC, 5000 * 100.0 / 18200, 1e-9);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/ExpensesPC=27.47", "SettingsFile/CalcExpenses=0"}));
}

// Every number field of every dialog: letters and "?" are refused with a beep, "250k",
// "$1,234" and an empty field are read as the number entry says, Enter closes nothing.
TEST_F(EditItemFlow, BadInputInEveryNumberField) {
    WorkedExample();
    int fields = 0;
    for (unsigned item = ItemPropertyValue; item <= ItemExpenses; ++item) {
        Edit(item, [&fields](QDialog& d) {
            for (NumEdit* edit : d.findChildren<NumEdit*>()) {
                if (!edit->isVisible()) continue;
                ++fields;
                int refusals = 0;
                auto c = QObject::connect(edit, &NumEdit::refused, [&] { ++refusals; });
                edit->setFocus(Qt::MouseFocusReason);
                const QString shown = edit->text();
                edit->end(false);
                TypeKeys(edit, QStringLiteral("abc?????"));
                EXPECT_EQ(edit->text(), shown);
                EXPECT_EQ(refusals, 8);
                for (const char* typed : {"250k", "$1,234", ""}) {
                    edit->selectAll();
                    SendKey(edit, Qt::Key_Backspace, "\b");
                    TypeKeys(edit, QString::fromLatin1(typed));
                    EXPECT_EQ(edit->text(), QString::fromLatin1(typed));
                }
                EXPECT_EQ(refusals, 8);
                QObject::disconnect(c);
                edit->setText(shown); // so that leaving it changes nothing
            }
            CancelButton(d)->click();
        });
    }
    EXPECT_EQ(fields, 13);

    Edit(ItemPropertyValue, [](QDialog& d) {
        Retype(EditOf(d, PropertyValueLogic::kPrice), QStringLiteral("250k"));
        Retype(EditOf(d, PropertyValueLogic::kFurniture), QStringLiteral("$1,234"));
        Retype(EditOf(d, PropertyValueLogic::kMarketValue), QString());
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.Price, 250000);
    EXPECT_EQ(doc.Furniture, 1234);
    EXPECT_EQ(doc.MarketValue, 250000); // follows the new price
}
