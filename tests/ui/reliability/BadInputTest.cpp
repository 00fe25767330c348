// Bad input at every door: every text field of every editor fed text that is no number,
// markers, exponents, huge numbers, nothing and 200 characters; and a settings file with
// garbage in every value. Nothing may crash or reach the table unlimited, and the summary must
// show numbers or the markers, never anything else.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/DefaultInputs.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/shell/QtSettingsStore.h"
#include "ui/shell/RecordingSurface.h"
#include "ui/shell/SummaryLayout.h"

namespace {

const char* const kBadTexts[] = {
    "abc", "?????", "+++++", "1e5", "99999999999999999999999999999999999999999999999999", "",
    "-", "$", "k%m", "(1,234)", "12,5,6.7.8"};

std::string TwoHundredCharacters() {
    std::string text;
    for (int i = 0; i < 200; ++i) text += static_cast<char>('0' + i % 10);
    return text;
}

// What the record promises whatever was typed: values that reach the table or a division
// stay inside their range.
void ExpectLimited(const Investment& doc) {
    EXPECT_GE(doc.LCYears, 1);
    EXPECT_GE(doc.ShowYear, 1);
    EXPECT_LE(doc.ShowYear, kTableColumns);
    EXPECT_GE(doc.ProjectionYear, 1);
    EXPECT_LE(doc.ProjectionYear, kTableColumns);
    EXPECT_TRUE(doc.NamesOnTitle == 1 || doc.NamesOnTitle == 2);
    EXPECT_TRUE(doc.LoanType == 0 || doc.LoanType == 1);
    for (int s : {doc.UseSDScale, doc.CalcDeposit, doc.CalcLoanCosts, doc.CalcExpenses,
                  doc.CalcDepFitt, doc.CalcDepBuild})
        EXPECT_TRUE(s == 0 || s == 1);
}

// Every value cell shows a number in one of the formats in use, a marker, or nothing.
void ExpectSummaryShowsNumbers(const Investment& doc) {
    SummaryLayout summary;
    summary.Layout(280, 18, 7, CurrentColours.BG1Color);
    RecordingSurface surface;
    summary.Paint(surface, {0, 0, 280, 400}, CurrentColours.BG1Color, doc, 0, 0);
    static const QRegularExpression number(
        QStringLiteral(R"(^(\(?\$?-?[0-9]+(,[0-9]{3})?(\.[0-9]+)?m?%?\)?|\?\?\?\?\?|\+\+\+\+\+| |)$)"));
    for (int row = 1; row < kSummaryRows; ++row) {
        if (row == 10) continue; // ownership text
        const GridCell& cell = summary.values[row];
        if (cell.hidden) continue;
        const QString text = QString::fromStdString(cell.text);
        if (text == QStringLiteral("Click here")) continue;
        EXPECT_TRUE(number.match(text).hasMatch()) << "row " << row << ": " << cell.text;
    }
}

class BadInput : public ::testing::Test {
protected:
    Scales scales;
    void SetUp() override {
        SetUpWorkedExample(doc, 1);
    }

    Investment doc;
    MemorySettingsStore store;
};

TEST_F(BadInput, EveryFieldOfEveryEditor) {
    std::vector<std::string> texts(std::begin(kBadTexts), std::end(kBadTexts));
    texts.push_back(TwoHundredCharacters());
    int fieldsTried = 0;
    for (const std::string& typed : texts) {
        SCOPED_TRACE(typed);
        const QString text = QString::fromStdString(typed);
        for (unsigned item = 0; item < kItemTypeCount; ++item) {
            if (item == ItemCashFlowWeek || item >= ItemIRR) continue; // no editor
            OnNextDialog([&](QDialog& d) {
                for (QRadioButton* r : d.findChildren<QRadioButton*>())
                    if (r->text().startsWith(QStringLiteral("Principal"))) ClickLikeUser(r);
                for (QLineEdit* edit : d.findChildren<QLineEdit*>()) {
                    if (!edit->isVisible() || qobject_cast<QSpinBox*>(edit->parent())) continue;
                    ++fieldsTried;
                    Retype(edit, text);
                }
                for (QAbstractButton* recalculate :
                     d.findChildren<QAbstractButton*>(QStringLiteral("recalculate")))
                    if (recalculate->isVisible()) ClickLikeUser(recalculate);
                for (QSpinBox* spin : d.findChildren<QSpinBox*>()) spin->setValue(40);
                OkButton(d)->click();
                // A comma that cannot separate thousands is refused until retyped.
                if (d.isVisible()) CancelButton(d)->click();
            });
            EditItem(doc, scales, store, KeepingUi(), item, nullptr);
            ExpectLimited(doc);
        }
        ExpectSummaryShowsNumbers(doc);
    }
    EXPECT_GT(fieldsTried, 200);
}

TEST(BadSettings, GarbageInEveryValueGivesALimitedInvestment) {
    Scales scales;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VELPPC.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray ini = "[SettingsFile]\n";
    const char* names[] = {"Conveyancing", "UseSDScale",   "DepositPC",      "CalcDeposit",
                           "CalcLoanCosts", "LoanCostsPC", "LCYears",        "LoanType",
                           "RateInterest", "LoanTerm",     "PeriodsPerYear", "VacancyRate",
                           "ExpensesPC",   "CalcExpenses", "CalcDepFitt",    "DepFittPC",
                           "DepFittRate",  "DepFittMethod", "CalcDepBuild",  "DepBuildPC",
                           "DepBuildRate", "DepBuildMethod", "TaxableHim",   "TaxableHer",
                           "NamesOnTitle", "RateGrowth",   "RateInfl",       "ShowYear",
                           "ProjectionYear"};
    const char* garbage[] = {"@@@", "-2147483648", "99999999999", "1e999", "\\x7f\\0", "-7",
                             "0x10", "\"\"", "3.5", "nan"};
    int i = 0;
    for (const char* name : names) ini += QByteArray(name) + "=" + garbage[i++ % 10] + "\n";
    ini += "StampDuty=\"11,x,,,-5,1e9,\"\nTaxScale=\"-5,zz,9999999999999999999999,\"\n";
    ini += "[Settings]\nBG1Color=blue\nBG2Color=-99999999999999\nGR1Color=\nGR2Color=@\n";
    ASSERT_EQ(file.write(ini), ini.size());
    file.close();

    QtSettingsStore store(path);
    Investment doc;
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    ExpectLimited(doc);
    EXPECT_GE(scales.duty.Count, 0);
    EXPECT_LE(scales.duty.Count, kScaleRows);
    EXPECT_GE(scales.tax.Count, 0);
    EXPECT_LE(scales.tax.Count, kScaleRows);
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.Recalculate(scales);
    ExpectLimited(doc);
    ExpectSummaryShowsNumbers(doc);
    (void)ReadColours(store);
}

// Text that is no number never reaches an input: each value falls back to its built-in
// default, so the worked example comes out exactly as with an empty store.
TEST(BadSettings, TextThatIsNoNumberGivesTheBuiltInValues) {
    Scales scales;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VELPPC.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const char* notNumbers[] = {"abc", "5O000", "0x10", "12 apples", "?????", "nan", "1e5", "8,50%x"};
    QByteArray ini = "[SettingsFile]\n";
    int i = 0;
    for (const RecordField& d : kDefaultInputs)
        ini += QByteArray(d.name.data(), static_cast<qsizetype>(d.name.size())) + "=" +
               notNumbers[i++ % 8] + "\n";
    // The start-up scales' texts with some of their items damaged.
    auto damaged = [](const std::string& text) {
        QByteArrayList items = QByteArray::fromStdString(text).split(',');
        for (qsizetype k = 0; k < items.size() - 1; k += 3) items[k] = "5O000";
        return items.join(',');
    };
    ini += "StampDuty=\"" + damaged(DutyScaleToText(StartupDutyScale())) + "\"\n";
    ini += "TaxScale=\"" + damaged(TaxScaleToText(StartupTaxScale())) + "\"\n";
    ASSERT_EQ(file.write(ini), ini.size());
    file.close();

    QtSettingsStore store(path);
    Investment doc;
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    for (const RecordField& d : kDefaultInputs) {
        if (d.doubleField) EXPECT_EQ(doc.*d.doubleField, d.builtIn) << d.name;
        else EXPECT_EQ(doc.*d.intField, d.builtIn) << d.name;
    }
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.Recalculate(scales);
    SummaryLayout summary;
    summary.Layout(280, 18, 7, CurrentColours.BG1Color);
    summary.Refresh(doc);
    EXPECT_EQ(summary.values[2].text, "$9,925"); // the start-up duty scale is untouched
    EXPECT_EQ(summary.values[16].text, "13.86%");
    EXPECT_EQ(summary.values[17].text, "$75,030");
}

} // namespace
