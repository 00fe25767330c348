#include "ui/workspace/Workspace.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <string_view>

#include "format/Format.h"
#include "model/Law.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/charts/ChartSeries.h"
#include "ui/shell/Commands.h"
#include "ui/workspace/ChartTab.h"
#include "ui/workspace/CompareWindow.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/RiskTab.h"
#include "ui/workspace/SaleTab.h"
#include "ui/workspace/WhatIfTab.h"

#ifndef VEL_VERSION
#define VEL_VERSION "1.0"
#endif

namespace {

// The chart tabs, in the order of the Graphics menu; each takes its chart's own caption.
constexpr int kChartTabCommands[] = {CmdValueDebt, CmdCashFlows, CmdWhoPays, CmdBankComparison,
                                     CmdRateOfReturn};

// As LICENSE says; the install puts it beside the user guide.
constexpr const char* kLicence =
    "MIT licence, copyright Pocket VEL contributors (the file LICENSE that comes with it).";

template <class Names> QString ScaleNames(const Names& names) {
    QStringList list;
    for (std::string_view name : names) {
        const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).trimmed();
        if (text != QStringLiteral("None") && text != QStringLiteral("Custom")) list << text;
    }
    return list.join(QStringLiteral(", "));
}

void ShowHelp(QWidget* parent) {
    // One help window, kept open beside the work.
    if (auto* open = parent->findChild<QDialog*>(QStringLiteral("HelpWindow"))) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QStringLiteral("Pocket VEL Help"));
    window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(window);
    auto* text = new QTextBrowser(window);
    text->setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/help/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly)) text->setMarkdown(QString::fromUtf8(guide.readAll()));
    else text->setPlainText(QStringLiteral("The user guide is missing from this build."));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(640, 600);
    window->show();
}

void ShowAbout(QWidget* parent) {
    QMessageBox::about(parent, QStringLiteral("About Pocket VEL"), AboutText());
}

} // namespace

QString AboutText() {
    return QStringLiteral("<p><b>Pocket VEL %1</b></p>"
                          "<p>The analysis of one residential property investment.</p>"
                          "<p>Licence: %2</p>"
                          "<p>Built-in stamp duty scales of 2005 to 2007: %3; "
                          "in force from 1 July 2025: %5.<br>"
                          "Built-in income tax scales of 2005 to 2007: %4; "
                          "of 2025 to 2028: %6.</p>")
        .arg(QStringLiteral(VEL_VERSION), QString::fromUtf8(kLicence),
             ScaleNames(kDutyLocations), ScaleNames(kTaxLocations),
             ScaleNames(kFurtherDutyLocations), ScaleNames(kFurtherTaxLocations));
}

Workspace::Workspace(const CVELPPCDoc& doc, const Scales& scales, const FontSpec fonts[2],
                     QWidget* parent)
    : QTabWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("WorkspacePane"));
    setDocumentMode(true);

    auto* projection = new QWidget(this);
    auto* layout = new QVBoxLayout(projection);
    layout->setContentsMargins(4, 4, 4, 4);
    legend_ = new QLabel(projection);
    legend_->setWordWrap(true);
    table_ = new ProjectionTable(doc, projection);
    layout->addWidget(legend_);
    layout->addWidget(table_, 1);
    addTab(projection, QStringLiteral("Projection"));

    for (int command : kChartTabCommands) {
        auto* chart = new ChartTab(doc, scales, command, fonts, this);
        charts_.push_back(chart);
        const std::string_view caption = ChartCaption(command);
        // A tab's "&" would be taken as its access key.
        addTab(chart, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))
                          .replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    sale_ = new SaleTab(doc, scales, fonts, this);
    sale_->onAssumptions = [this] {
        if (runCommand) runCommand(CmdAssumptions);
    };
    addTab(sale_, QStringLiteral("Sale"));
    whatIf_ = new WhatIfTab(doc, scales, this);
    addTab(whatIf_, QStringLiteral("What If"));
    addTab(risk_ = new RiskTab(doc, scales, this), QStringLiteral("Risk"));
    UpdateLegend();
}

void Workspace::UpdateLegend() {
    QString legend = QStringLiteral("Shaded: the projection period (years 1 to %1).  "
                                    "Bold \u25B8: the results year (year %2).")
                         .arg(QString::fromStdString(FormatValue(doc_.ProjectionYear, "0")),
                              QString::fromStdString(FormatValue(doc_.ShowYear, "0")));
    // Under the law of the years, which law and the purchase date it counts from.
    if (doc_.TaxLaw != kOneScaleForEveryYear)
        legend += QStringLiteral("  Taxed as: %1.").arg(QString::fromStdString(LawDescription(doc_)));
    legend_->setText(legend);
}

void Workspace::Refresh() {
    table_->Model().Refresh();
    UpdateLegend();
    for (ChartTab* chart : charts_) chart->Refresh();
    sale_->Refresh();
    whatIf_->Refresh();
    risk_->Refresh();
}

void Workspace::SetZoom(int percent) { table_->SetZoom(percent); }

void Workspace::SetCurrentTab(int index) {
    if (index >= 0 && index < count()) setCurrentIndex(index);
}

bool Workspace::Copy() {
    if (currentWidget() == whatIf_) return whatIf_->Copy();
    return currentIndex() == 0 && table_->Copy();
}

void InstallWorkspaceHooks() {
    Hooks().workspace = [](const CVELPPCDoc& doc, const Scales& scales, const FontSpec fonts[2],
                           QWidget* parent) -> WorkspacePane* {
        return new Workspace(doc, scales, fonts, parent);
    };
    Hooks().compare = ShowCompareWindow;
    Hooks().help = ShowHelp;
    Hooks().about = ShowAbout;
}
