// The "What If" tab as the user meets it: it follows every edit, leaves the record, its
// modified mark and the scales alone, takes other inputs and copies its numbers exactly.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <sstream>

#include "format/Format.h"
#include "persist/InvestmentFile.h"
#include "tests/ui/workspace/WorkedExampleFrame.h"
#include "ui/charts/ChartKind.h"
#include "ui/workspace/WhatIfTab.h"

namespace {

struct WhatIfFrame : WorkedExampleFrame {
    WhatIfTab* Tab() { return dynamic_cast<Workspace*>(frame->Pane())->WhatIf(); }
    QString Cell(int r, int c) { return Tab()->Table()->item(r, c)->text(); }
};

TEST_F(WhatIfFrame, FollowsTheRecordAndLeavesItAlone) {
    Scales& scales = frame->InvestmentScales();
    Investment& doc = frame->Document();
    doc.Recalculate(scales);
    frame->Doc().Replaced();
    const DutyScale duty = scales.duty;
    // The worked example's IRR, in bold at the centre of the default 9 x 9 grid.
    EXPECT_EQ(Cell(4, 4), "13.86%");
    EXPECT_TRUE(Tab()->Table()->item(4, 4)->font().bold());
    EXPECT_EQ(Tab()->Table()->verticalHeaderItem(0)->text(), "6.50%");
    EXPECT_EQ(Tab()->Table()->horizontalHeaderItem(8)->text(), "6.50%");
    EXPECT_EQ(Tab()->FigureText(0), "$550.58 a week");

    // An edit reaches the tab: a higher rent, a higher IRR at the centre.
    frame->Doc().Change(QStringLiteral("Rental Income"), [&] {
        doc.Rent = 400;
        doc.Recalculate(scales);
    });
    EXPECT_EQ(Tab()->Grid().Centre(), doc.IRR);
    EXPECT_EQ(Cell(4, 4), QString::fromStdString(FormatValue(doc.IRR, "%0.00")));

    // Another row input takes a step that suits it; nothing else changes.
    const std::string bytes = [&] {
        std::ostringstream out(std::ios::binary);
        SaveInvestment(doc, scales, out);
        return out.str();
    }();
    Tab()->findChildren<QComboBox*>()[0]->setCurrentIndex(static_cast<int>(WhatIfInput::Rent));
    EXPECT_EQ(Tab()->Setup().rows.step, 20.0);
    EXPECT_EQ(Tab()->Table()->verticalHeaderItem(0)->text(), "$320");
    std::ostringstream again(std::ios::binary);
    SaveInvestment(doc, scales, again);
    EXPECT_EQ(again.str(), bytes);
    EXPECT_TRUE(scales.duty == duty);

    // Copy gives every number in full.
    frame->Pane()->SetCurrentTab(7);
    EXPECT_TRUE(frame->Pane()->Copy());
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    EXPECT_EQ(lines[0], "IRR (Rent / Capital growth)\t2.5\t3\t3.5\t4\t4.5\t5\t5.5\t6\t6.5");
    EXPECT_TRUE(lines[5].startsWith("400\t")) << lines[5].toStdString();
    EXPECT_EQ(lines[5].split('\t')[5].toDouble(), doc.IRR);
}

} // namespace
