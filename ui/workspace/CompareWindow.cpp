#include "ui/workspace/CompareWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "format/Format.h"
#include "model/Investment.h"
#include "ui/shell/Platform.h"

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ShortName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

} // namespace

CompareWindow::CompareWindow(const Investment& doc, const Scales& scales, const QString& name,
                             DocumentUi& ui,
                             QWidget* parent)
    : QDialog(parent), ui_(ui) {
    setObjectName(QStringLiteral("CompareWindow"));
    setWindowTitle(QStringLiteral("Compare Investments"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* note = new QLabel(QStringLiteral("Up to four investments, each worked out under the "
                                           "scales stored in its file. Bold: the best result."),
                            this);
    note->setWordWrap(true);
    top->addWidget(note, 1);
    add_ = new QPushButton(QStringLiteral("Add File..."), this);
    add_->setObjectName(QStringLiteral("CompareAdd"));
    remove_ = new QPushButton(QStringLiteral("Remove"), this);
    remove_->setObjectName(QStringLiteral("CompareRemove"));
    top->addWidget(add_);
    top->addWidget(remove_);
    layout->addLayout(top);
    connect(add_, &QPushButton::clicked, this, [this] { AddFile(); });
    connect(remove_, &QPushButton::clicked, this, [this] { Remove(table_->currentColumn()); });

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("CompareTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setWordWrap(false);
    layout->addWidget(table_, 4);
    chart_ = new RatesChart(this);
    layout->addWidget(chart_, 2);

    investments_.push_back(Compared(name.toStdString(), doc, scales));
    Update();
    resize(820, 900);
}

bool CompareWindow::AddFile() {
    if (investments_.size() >= static_cast<std::size_t>(kMaxCompared)) return false;
    const QString path = ui_.AskOpenFileName(this);
    if (path.isEmpty()) return false;
    ComparedInvestment read = ReadCompared(path.toStdString());
    if (!read.ok) {
        ui_.ShowMessage(this, QStringLiteral("The file %1 could not be compared.\n%2")
                                  .arg(path, QString::fromStdString(read.error)));
        return false;
    }
    for (const std::string& message : read.messages) ui_.ShowMessage(this, QString::fromStdString(message));
    investments_.push_back(std::move(read));
    Update();
    return true;
}

void CompareWindow::SetOpenInvestment(const Investment& doc, const Scales& scales,
                                      const QString& name) {
    investments_.front() = Compared(name.toStdString(), doc, scales);
    Update();
}

void CompareWindow::Remove(int index) {
    // The investment as it stands stays in the first column.
    if (index < 1 || index >= static_cast<int>(investments_.size())) return;
    investments_.erase(investments_.begin() + index);
    Update();
}

void CompareWindow::Update() {
    comparison_ = Compare(investments_);
    const Comparison& c = comparison_;
    const int columns = static_cast<int>(c.names.size());
    table_->clear();
    table_->setColumnCount(columns);
    table_->setRowCount(static_cast<int>(c.rows.size()));
    QStringList heads;
    for (int i = 0; i < columns; ++i)
        heads << (i == 0 ? QString::fromStdString(c.names[0]) : ShortName(c.names[static_cast<std::size_t>(i)]));
    table_->setHorizontalHeaderLabels(heads);
    QStringList labels;
    for (const CompareRow& row : c.rows)
        labels << (row.afterSale ? QStringLiteral("After sale: ") : QString()) + Utf8(row.label);
    table_->setVerticalHeaderLabels(labels);
    QFont bold = table_->font();
    bold.setBold(true);
    for (int r = 0; r < static_cast<int>(c.rows.size()); ++r) {
        const CompareRow& row = c.rows[static_cast<std::size_t>(r)];
        for (int i = 0; i < columns; ++i) {
            const auto k = static_cast<std::size_t>(i);
            auto* item = new QTableWidgetItem(
                row.format.empty() ? QString::fromStdString(row.texts[k])
                                   : QString::fromStdString(FormatValue(row.values[k], row.format)));
            item->setTextAlignment((row.format.empty() ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (row.best[k]) {
                item->setFont(bold);
                item->setBackground(QColor(200, 235, 200));
                item->setToolTip(QStringLiteral("Best"));
            }
            table_->setItem(r, i, item);
        }
    }
    QStringList names;
    for (int i = 0; i < columns; ++i) names << heads[i];
    chart_->SetRates(c.rates, names);
    add_->setEnabled(investments_.size() < static_cast<std::size_t>(kMaxCompared));
    remove_->setEnabled(investments_.size() > 1);
}

RatesChart::RatesChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CompareChart"));
    setMinimumHeight(180);
}

void RatesChart::SetRates(const std::vector<Investment::YearArray>& rates, const QStringList& names) {
    rates_ = rates;
    names_ = names;
    update();
}

QColor RatesChart::LineColour(int i) {
    static const QColor colours[] = {QColor(31, 88, 160), QColor(200, 70, 40), QColor(40, 140, 60),
                                     QColor(130, 60, 160)};
    return colours[static_cast<std::size_t>(i) % std::size(colours)];
}

void RatesChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics fm(font());
    // The range of rates shown: every rate there is, and 0.
    double low = 0, high = 0;
    for (const auto& r : rates_)
        for (double v : r)
            if (!IsNoValue(v) && std::isfinite(v)) {
                low = std::min(low, std::max(v, -100.0));
                high = std::max(high, std::min(v, 200.0));
            }
    if (high - low < 1) high = low + 1;
    const double step = high - low > 40 ? 20 : high - low > 20 ? 10 : high - low > 8 ? 5 : 1;
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;

    const int legend = fm.height() + 8;
    const QRect plot(fm.horizontalAdvance(QStringLiteral("-100%")) + 12, fm.height() + 8,
                     width() - fm.horizontalAdvance(QStringLiteral("-100%")) - 24,
                     height() - 2 * fm.height() - 16 - legend);
    if (plot.width() < 20 || plot.height() < 20) return;
    auto x = [&](int year) { return plot.left() + plot.width() * (year - 1) / 39.0; };
    auto y = [&](double v) { return plot.bottom() - plot.height() * (v - low) / (high - low); };

    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, width(), fm.height() + 4), Qt::AlignHCenter,
               QStringLiteral("Internal rate of return by years held"));
    for (double v = low; v <= high + step / 2; v += step) {
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y(v) - fm.height() / 2.0, plot.left() - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(FormatValue(v, "0")) + '%');
    }
    p.setPen(Qt::black);
    p.drawLine(QPointF(plot.left(), y(0)), QPointF(plot.right(), y(0)));
    for (int year : {1, 5, 10, 15, 20, 25, 30, 35, 40})
        p.drawText(QRectF(x(year) - 20, plot.bottom() + 2, 40, fm.height()), Qt::AlignHCenter,
                   QString::number(year));

    for (std::size_t i = 0; i < rates_.size(); ++i) {
        QPainterPath path;
        bool drawing = false;
        for (int year = 1; year <= kTableColumns; ++year) {
            const double v = rates_[i][static_cast<std::size_t>(year - 1)];
            // No rate for a holding period: the line breaks there.
            if (IsNoValue(v) || !std::isfinite(v)) {
                drawing = false;
                continue;
            }
            const QPointF point(x(year), y(std::clamp(v, low, high)));
            if (drawing) path.lineTo(point);
            else path.moveTo(point);
            drawing = true;
        }
        p.setPen(QPen(LineColour(static_cast<int>(i)), 2));
        p.drawPath(path);
    }
    int lx = plot.left();
    const int ly = height() - legend + 4;
    for (int i = 0; i < names_.size(); ++i) {
        p.setPen(QPen(LineColour(i), 3));
        p.drawLine(lx, ly + fm.height() / 2, lx + 18, ly + fm.height() / 2);
        p.setPen(Qt::black);
        p.drawText(lx + 24, ly + fm.ascent(), names_[i]);
        lx += 24 + fm.horizontalAdvance(names_[i]) + 20;
    }
}

void ShowCompareWindow(const Investment& doc, const Scales& scales, const QString& path, DocumentUi& ui, QWidget* parent) {
    const QString name = path.isEmpty() ? QStringLiteral("This investment")
                                        : QStringLiteral("This investment (%1)").arg(QFileInfo(path).fileName());
    if (auto* open = parent->findChild<CompareWindow*>(QStringLiteral("CompareWindow"))) {
        open->SetOpenInvestment(doc, scales, name);
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new CompareWindow(doc, scales, name, ui, parent);
    window->show();
}
