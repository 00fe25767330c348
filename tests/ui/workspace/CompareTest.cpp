// "Compare Investments..." as the user meets it: files added beside the investment as it
// stands, each under its own scales, the best of each result marked, a file that cannot be
// read refused with its reason, and the open record and the scales in force untouched.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "format/Format.h"
#include "persist/InvestmentFile.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/workspace/WorkedExampleFrame.h"
#include "ui/charts/ChartKind.h"
#include "ui/workspace/CompareWindow.h"

namespace {

std::string Bytes(const Investment& doc, const Scales& scales) {
    std::ostringstream out(std::ios::binary);
    SaveInvestment(doc, scales, out);
    return out.str();
}

struct CompareFrame : WorkedExampleFrame {};

TEST_F(CompareFrame, FilesBesideTheOpenInvestmentUnderTheirOwnScales) {
    Scales& scales = frame->InvestmentScales();
    const std::filesystem::path dir = FreshTestFolder("compare");
    // A dearer house kept under today's Victorian duty and tax scales.
    Investment other;
    SetUpWorkedExample(other, 1);
    Scales otherScales;
    otherScales.duty = ShippedDutyScale(kFirstFurtherDutyLocation + 2);
    otherScales.tax = ShippedTaxScale(kFirstFurtherTaxLocation);
    other.Price = other.MarketValue = 450000;
    other.Rent = 520;
    other.Recalculate(otherScales);
    const Investment expected = other;
    std::ofstream(dir / "dearer.vel", std::ios::binary) << Bytes(other, otherScales);
    std::ofstream(dir / "broken.vel", std::ios::binary) << "not an investment";

    Investment& doc = frame->Document();
    doc.Recalculate(scales);
    const std::string bytes = Bytes(doc, scales);
    const Investment::Table table = doc.table;
    const TaxScale tax = scales.tax;
    const DutyScale duty = scales.duty;

    ui.openNames = {QString::fromStdString((dir / "broken.vel").string()),
                    QString::fromStdString((dir / "dearer.vel").string())};
    frame->Action("Compare")->trigger();
    auto* window = frame->findChild<CompareWindow*>(QStringLiteral("CompareWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->AddFile());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains("broken.vel could not be compared")) << ui.messages[0].toStdString();
    EXPECT_TRUE(window->AddFile());

    QTableWidget* t = window->Table();
    ASSERT_EQ(t->columnCount(), 2);
    EXPECT_EQ(t->horizontalHeaderItem(1)->text(), "dearer.vel");
    for (int r = 0; r < t->rowCount(); ++r) {
        const QString label = t->verticalHeaderItem(r)->text();
        if (label == "Internal rate of return") {
            EXPECT_EQ(t->item(r, 0)->text(), "13.86%");
            EXPECT_EQ(t->item(r, 1)->text(), QString::fromStdString(FormatValue(expected.IRR, "%0.00")));
            // The better of the two in bold.
            EXPECT_EQ(t->item(r, 0)->font().bold(), doc.IRR > expected.IRR);
            EXPECT_EQ(t->item(r, 1)->font().bold(), expected.IRR > doc.IRR);
        }
        if (label == "Purchase costs") {
            EXPECT_EQ(t->item(r, 1)->text(), QString::fromStdString(FormatValue(expected.PurchaseCosts, "$0,m(")));
        }
    }
    EXPECT_EQ(window->Result().rates.size(), 2u);

    // Nothing of the open investment moved.
    EXPECT_EQ(Bytes(doc, scales), bytes);
    EXPECT_EQ(std::memcmp(&table, &doc.table, sizeof table), 0);
    EXPECT_TRUE(scales.tax == tax && scales.duty == duty);

    // The investment as it stands cannot be removed; a file can.
    window->Remove(0);
    window->Remove(1);
    EXPECT_EQ(window->Table()->columnCount(), 1);
}

// The window fits the screen, shows every heading whole, names the scales, copies its table
// and closes from its own button.
TEST_F(CompareFrame, FitsCopiesAndCloses) {
    const std::filesystem::path dir = FreshTestFolder("compare-copy");
    Investment other;
    SetUpWorkedExample(other);
    other.Price = other.MarketValue = 1165300;
    other.Recalculate(Scales{});
    const std::string name = "a-file-name-long-enough-to-be-cut-in-a-narrow-column.vel";
    std::ofstream(dir / name, std::ios::binary) << Bytes(other, Scales{});
    ui.openNames = {QString::fromStdString((dir / name).string())};
    frame->Action("Compare")->trigger();
    auto* window = frame->findChild<CompareWindow*>(QStringLiteral("CompareWindow"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->AddFile());
    QApplication::processEvents();

    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    QHeaderView* header = window->Table()->horizontalHeader();
    for (int i = 0; i < header->count(); ++i)
        EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i))
            << i << " of " << header->width() << " in " << window->width();
    EXPECT_EQ(window->Table()->verticalHeaderItem(1)->text(), "Duty and tax");
    EXPECT_EQ(window->Table()->item(1, 1)->text(), "Qld duty, Australia (06/07) income tax");

    // The Copy button and Ctrl+C in the table put the whole table on the clipboard.
    const QString expected = "\tThis investment\t" + QString::fromStdString(name);
    for (int way = 0; way < 2; ++way) {
        QApplication::clipboard()->clear();
        if (way == 0) {
            window->findChild<QPushButton*>(QStringLiteral("CompareCopy"))->click();
        } else {
            QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
            QCoreApplication::sendEvent(window->Table(), &copy);
        }
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), window->Table()->rowCount() + 1) << way;
        EXPECT_EQ(lines[0], expected) << way;
        EXPECT_TRUE(lines.contains("Price\t$300,000\t$1,165,300")) << lines.filter("Price").join("|").toStdString();
    }

    const QPointer<CompareWindow> open(window);
    window->findChild<QPushButton*>(QStringLiteral("CompareClose"))->click();
    EXPECT_TRUE(!open || !open->isVisible());
}

} // namespace
