#include "ui/workspace/WhatIfTab.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "format/Format.h"
#include "model/Investment.h"
#include "ui/report/ReportPainter.h"

namespace {

QString Label(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

} // namespace

WhatIfTab::WhatIfTab(const Investment& doc, const Scales& scales, QWidget* parent)
    : LazyTab(parent), doc_(doc), scales_(scales) {}

void WhatIfTab::BuildAxis(AxisControls& axis, const QString& name, int row, QGridLayout* layout) {
    axis.input = new QComboBox(this);
    for (const WhatIfInputInfo& info : kWhatIfInputs) axis.input->addItem(Label(info.label));
    axis.step = new QDoubleSpinBox(this);
    axis.step->setRange(0.01, 1e9);
    axis.step->setKeyboardTracking(false);
    axis.steps = new QSpinBox(this);
    axis.steps->setRange(0, kMaxGridSteps);
    axis.steps->setKeyboardTracking(false);
    layout->addWidget(new QLabel(name, this), row, 0);
    layout->addWidget(axis.input, row, 1);
    layout->addWidget(new QLabel(QStringLiteral("Step:"), this), row, 2);
    layout->addWidget(axis.step, row, 3);
    layout->addWidget(new QLabel(QStringLiteral("Steps either side:"), this), row, 4);
    layout->addWidget(axis.steps, row, 5);
    connect(axis.input, &QComboBox::currentIndexChanged, this, [this, &axis](int index) {
        if (showing_ || index < 0) return;
        // A new input starts with a step that suits its value.
        const auto input = static_cast<WhatIfInput>(index);
        (&axis == &rows_ ? setup_.rows : setup_.columns) =
            GridAxis{input, DefaultStep(input, doc_.*InfoOf(input).field),
                     axis.steps->value()};
        ShowSetup();
        UpdateGrid();
    });
    auto edited = [this] {
        if (showing_) return;
        ReadControls();
        UpdateGrid();
    };
    connect(axis.step, &QDoubleSpinBox::valueChanged, this, edited);
    connect(axis.steps, &QSpinBox::valueChanged, this, edited);
}

void WhatIfTab::Build() {
    if (table_) return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);

    auto* controls = new QGridLayout;
    controls->setHorizontalSpacing(6);
    BuildAxis(rows_, QStringLiteral("Rows:"), 0, controls);
    BuildAxis(columns_, QStringLiteral("Columns:"), 1, controls);
    result_ = new QComboBox(this);
    for (const WhatIfResultInfo& info : kWhatIfResults) result_->addItem(Label(info.label));
    controls->addWidget(new QLabel(QStringLiteral("Result:"), this), 2, 0);
    controls->addWidget(result_, 2, 1);
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("WhatIfCopy"));
    controls->addWidget(copy, 2, 5);
    controls->setColumnStretch(6, 1);
    layout->addLayout(controls);
    connect(result_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_ || index < 0) return;
        setup_.result = static_cast<WhatIfResult>(index);
        UpdateGrid();
    });
    connect(copy, &QPushButton::clicked, this, [this] { Copy(); });

    caption_ = new QLabel(this);
    caption_->setWordWrap(true);
    layout->addWidget(caption_);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("WhatIfGrid"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(table_, 1);

    auto* figures = new QGridLayout;
    figures->setVerticalSpacing(2);
    auto* heading = new QLabel(QStringLiteral("<b>Break-even</b>"), this);
    figures->addWidget(heading, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        figureNames_[i] = new QLabel(this);
        figureValues_[i] = new QLabel(this);
        figureValues_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figures->addWidget(figureNames_[i], i + 1, 0);
        figures->addWidget(figureValues_[i], i + 1, 1);
    }
    figures->setColumnStretch(2, 1);
    layout->addLayout(figures);

    setup_.rows.step = DefaultStep(setup_.rows.input, doc_.*InfoOf(setup_.rows.input).field);
    setup_.columns.step = DefaultStep(setup_.columns.input, doc_.*InfoOf(setup_.columns.input).field);
    ShowSetup();
}

void WhatIfTab::ShowSetup() {
    showing_ = true;
    for (auto [axis, controls] : {std::pair{&setup_.rows, &rows_}, std::pair{&setup_.columns, &columns_}}) {
        const bool money = InfoOf(axis->input).unit == Unit::Money;
        controls->input->setCurrentIndex(static_cast<int>(axis->input));
        controls->step->setDecimals(money ? 0 : 2);
        controls->step->setSingleStep(money ? DefaultStep(axis->input, axis->step * 20) : 0.25);
        controls->step->setPrefix(money ? QStringLiteral("$") : QString());
        controls->step->setSuffix(money ? QString() : QStringLiteral(" points"));
        controls->step->setValue(axis->step);
        controls->steps->setValue(axis->steps);
    }
    result_->setCurrentIndex(static_cast<int>(setup_.result));
    showing_ = false;
}

void WhatIfTab::ReadControls() {
    for (auto [axis, controls] : {std::pair{&setup_.rows, &rows_}, std::pair{&setup_.columns, &columns_}}) {
        axis->input = static_cast<WhatIfInput>(controls->input->currentIndex());
        axis->step = controls->step->value();
        axis->steps = controls->steps->value();
    }
    setup_.result = static_cast<WhatIfResult>(result_->currentIndex());
}

void WhatIfTab::ChangeSetup(const GridSetup& setup) {
    Build();
    setup_ = setup;
    ShowSetup();
    UpdateGrid();
}

void WhatIfTab::WorkOut() {
    Build();
    whatIf_.emplace(doc_, scales_);
    UpdateGrid();
    UpdateFigures();
}

void WhatIfTab::UpdateGrid() {
    if (!whatIf_) return;
    grid_ = WorkOutGrid(*whatIf_, setup_);
    const GridSetup& s = grid_.setup;
    caption_->setText(FromStd(GridCaption(grid_)));
    table_->setUpdatesEnabled(false);
    table_->setRowCount(grid_.Rows());
    table_->setColumnCount(grid_.Columns());
    QStringList rowHeads, columnHeads;
    for (double v : grid_.rowValues) rowHeads << FromStd(InputText(s.rows.input, v));
    for (double v : grid_.columnValues) columnHeads << FromStd(InputText(s.columns.input, v));
    table_->setVerticalHeaderLabels(rowHeads);
    table_->setHorizontalHeaderLabels(columnHeads);
    QFont bold = table_->font();
    bold.setBold(true);
    const std::vector<Shade> shades = CellShades(grid_);
    for (int r = 0; r < grid_.Rows(); ++r) {
        for (int c = 0; c < grid_.Columns(); ++c) {
            QTableWidgetItem* item = table_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table_->setItem(r, c, item);
            }
            const double v = grid_.At(r, c);
            item->setText(FromStd(ResultText(s.result, v)));
            const Shade& shade = shades[static_cast<std::size_t>(r * grid_.Columns() + c)];
            item->setBackground(QColor(shade.red, shade.green, shade.blue));
            item->setForeground(QColor(Qt::black));
            const bool present = r == grid_.centreRow && c == grid_.centreColumn;
            item->setFont(present ? bold : table_->font());
            item->setToolTip(present ? QStringLiteral("As it stands") : QString());
        }
    }
    table_->setUpdatesEnabled(true);
}

void WhatIfTab::UpdateFigures() {
    figures_ = WorkOutBreakEvens(*whatIf_);
    const auto lines = BreakEvenLines(figures_, whatIf_->Base());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        figureNames_[i]->setText(FromStd(lines[i].label));
        figureValues_[i]->setText(FromStd(lines[i].value));
    }
}

QString WhatIfTab::FigureText(int figure) {
    BringUpToDate();
    return figureValues_[std::clamp(figure, 0, 2)]->text();
}

bool WhatIfTab::Copy() {
    QApplication::clipboard()->setText(QString::fromStdString(GridText(Grid())));
    return true;
}
