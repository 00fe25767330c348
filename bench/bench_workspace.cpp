// What one accepted edit costs on screen: the recalculation, then the repaint of the summary,
// the projection table and the chart shown, in a workspace window of a first start's size.
#ifdef VEL_BENCH_QT
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTableView>

#include "persist/SettingsStore.h"
#include "tests/model/WorkedExample.h"
#include "app/MainWindow.h"
#include "ui/shell/Platform.h"
#include "ui/shell/SummaryView.h"
#include "ui/workspace/ChartTab.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/Workspace.h"

namespace {

class QuietUi : public DocumentUi {
public:
    QString AskOpenFileName(QWidget*) override { return {}; }
    QString AskSaveFileName(QWidget*, const QString&) override { return {}; }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::No; }
    void ShowMessage(QWidget*, const QString&) override {}
};

void BM_AcceptedEditInTheWorkspace(benchmark::State& state) {
    MemorySettingsStore store;
    QuietUi ui;
    MainWindow frame(store, ui);
    frame.StartWith({});
    Investment& doc = frame.Document();
    const Scales& scales = frame.InvestmentScales();
    SetUpWorkedExample(doc);
    frame.setGeometry(0, 0, 1100, 700);
    frame.show();
    auto* pane = static_cast<Workspace*>(frame.Pane());
    pane->SetCurrentTab(static_cast<int>(state.range(0)));
    QApplication::processEvents();
    QWidget* summary = frame.View()->viewport();
    QWidget* shown = state.range(0) == 0 ? pane->Table()->viewport() : pane->currentWidget();
    QImage image(frame.size(), QImage::Format_RGB32);
    double price = 300000;
    for (auto _ : state) {
        doc.Price = doc.MarketValue = (price += 1000);
        doc.Recalculate(scales);
        frame.Doc().NotifyChanged();
        summary->render(&image);
        shown->render(&image);
    }
    state.SetLabel(pane->tabText(pane->currentIndex()).toStdString());
}
BENCHMARK(BM_AcceptedEditInTheWorkspace)->Arg(0)->Arg(1)->Arg(5)->Arg(6)->Arg(7)->Unit(benchmark::kMillisecond);

} // namespace
#endif
