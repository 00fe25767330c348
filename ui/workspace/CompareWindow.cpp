#include "ui/workspace/CompareWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QStyledItemDelegate>
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

// The short form of an amount, kept with the item for a column too narrow for whole dollars.
constexpr int kNarrowRole = Qt::UserRole + 1;

// Shows an amount in whole dollars where its column has room, else in its short form.
class AmountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString narrow = index.data(kNarrowRole).toString();
        const int margins = 2 * (option->widget ? option->widget->style()->pixelMetric(
                                                      QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1
                                                : 4);
        if (!narrow.isEmpty() &&
            option->fontMetrics.horizontalAdvance(option->text) + margins > option->rect.width())
            option->text = narrow;
    }
};

// The first heading on two lines: "This investment" over its file's name.
QString Heading(const std::string& name) {
    return QString::fromStdString(name).replace(QStringLiteral(" ("), QStringLiteral("\n("));
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
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setItemDelegate(new AmountDelegate(table_));
    table_->installEventFilter(this);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setWordWrap(false);
    layout->addWidget(table_, 4);
    chart_ = new RatesChart(this);
    layout->addWidget(chart_, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CompareCopy"));
    copy->setToolTip(QStringLiteral("The table as tab-separated text, for a spreadsheet (Ctrl+C)"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("CompareClose"));
    connect(copy, &QPushButton::clicked, this, &CompareWindow::Copy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    investments_.push_back(Compared(name.toStdString(), doc, scales));
    Update();
    // Room for four investments, within the screen (1366 x 768 and up).
    QSize size(940, 720);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(QSize(room.width() - 40, room.height() - 70));
    }
    resize(size);
}

void CompareWindow::Copy() {
    QApplication::clipboard()->setText(QString::fromStdString(TabSeparated(texts_)));
}

bool CompareWindow::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+C copies the whole table, not the one cell the table would copy.
    if (watched == table_ &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress) Copy();
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
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
    texts_ = MakeCompareTable(investments_);
    const CompareTable& t = texts_;
    const int columns = static_cast<int>(t.heads.size());
    table_->clear();
    table_->setColumnCount(columns);
    table_->setRowCount(static_cast<int>(t.lines.size()));
    QStringList heads;
    for (const std::string& head : t.heads) heads << Heading(head);
    table_->setHorizontalHeaderLabels(heads);
    QStringList labels;
    for (const CompareLine& line : t.lines) labels << QString::fromStdString(line.label);
    table_->setVerticalHeaderLabels(labels);
    QFont bold = table_->font();
    bold.setBold(true);
    for (int r = 0; r < static_cast<int>(t.lines.size()); ++r) {
        const CompareLine& line = t.lines[static_cast<std::size_t>(r)];
        for (int i = 0; i < columns && i < static_cast<int>(line.cells.size()); ++i) {
            const CompareCell& cell = line.cells[static_cast<std::size_t>(i)];
            auto* item = new QTableWidgetItem(QString::fromStdString(cell.text));
            item->setData(kNarrowRole, QString::fromStdString(cell.narrow));
            item->setTextAlignment((line.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            // A long text (the address, the scales) reads whole in its tool tip.
            if (!line.number) item->setToolTip(QString::fromStdString(cell.text));
            if (cell.best) {
                item->setFont(bold);
                item->setBackground(QColor(200, 235, 200));
                item->setToolTip(QStringLiteral("Best"));
            }
            table_->setItem(r, i, item);
        }
    }
    // No heading is cut: each column is as wide as its heading and cells need, and the table
    // scrolls sideways where the window is too narrow.
    table_->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    QStringList names;
    for (const std::string& head : t.heads) names << QString::fromStdString(head);
    chart_->SetRates(comparison_.rates, names);
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
