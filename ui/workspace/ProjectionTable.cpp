#include "ui/workspace/ProjectionTable.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

#include "export/ReportData.h"
#include "format/Format.h"
#include "ui/shell/GridCell.h"
#include "ui/shell/QPainterSurface.h"

namespace {

// The summary's money format: losses in brackets.
constexpr const char* kMoneyFormat = "$0,m(";
// The projection period and the results year stand out from the later years.
const QColor kPeriodShade(236, 243, 252);
const QColor kResultsShade(255, 244, 204);

QString YearText(int year) { return QString::fromStdString(FormatValue(year, "0")); }

QString Exact(double v) { return QString::fromStdString(ExactNumber(v)); }

} // namespace

ProjectionModel::ProjectionModel(const Investment& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {
    SetFont(QFont());
    Refresh();
}

void ProjectionModel::SetFont(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    // Each change of a heading makes the table measure all 55 of them again.
    if (font == normal_ && bold == bold_) return;
    normal_ = font;
    bold_ = bold;
    // The texts stay; only their font changes.
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole});
}

void ProjectionModel::MakeTexts() const {
    if (!textsStale_) return;
    textsStale_ = false;
    const int columns = columnCount();
    for (int r = 0; r < kTableColumns; ++r)
        for (int c = 0; c < columns; ++c) {
            // Every digit: the columns size themselves to what they hold.
            const char* format = Format(c);
            const std::string text = IsMoneyFormat(format) ? WholeDollars(Value(r + 1, c))
                                                           : FormatValue(Value(r + 1, c), format);
            const auto i = static_cast<std::size_t>(r * columns + c);
            texts_[i] = QString::fromStdString(text);
            losses_[i] = text.find_first_of("-(") != std::string::npos;
        }
}

int ProjectionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kTableColumns;
}

int ProjectionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

bool ProjectionModel::Extras::SameColumns(const Extras& other) const {
    return loss == other.loss && columns.size() == other.columns.size() &&
           std::equal(columns.begin(), columns.end(), other.columns.begin(),
                      [](const ExtraProjectionColumn& a, const ExtraProjectionColumn& b) {
                          return a.heading == b.heading;
                      });
}

ProjectionModel::Extras ProjectionModel::WantedExtras() const {
    return {doc_.LossTreatment == 1, ExtraProjectionColumns(doc_)};
}

double ProjectionModel::Value(int year, int column) const {
    if (year < 1 || year > kTableColumns || column < 0 || column >= columnCount()) return 0.0;
    const auto y = static_cast<std::size_t>(year - 1);
    if (column < kCarriedLossColumn)
        return doc_.At(kProjectionColumns[static_cast<std::size_t>(column)].row, year - 1);
    if (extras_.loss && column == kCarriedLossColumn) return doc_.CarriedLossByYear[y];
    return extras_.columns[static_cast<std::size_t>(column - kCarriedLossColumn - extras_.loss)]
        .values[y];
}

const char* ProjectionModel::Heading(int column) const {
    if (column < 0 || column >= columnCount()) return "";
    if (column < kCarriedLossColumn)
        return kProjectionColumns[static_cast<std::size_t>(column)].heading;
    if (extras_.loss && column == kCarriedLossColumn) return "Loss\ncarried";
    return extras_.columns[static_cast<std::size_t>(column - kCarriedLossColumn - extras_.loss)]
        .heading;
}

const char* ProjectionModel::Format(int column) const {
    if (column <= kCarriedLossColumn - 1 + static_cast<int>(extras_.loss)) return kMoneyFormat;
    return extras_.columns[static_cast<std::size_t>(column - kCarriedLossColumn - extras_.loss)]
        .format;
}

QVariant ProjectionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int year = index.row() + 1;
    const auto cell = static_cast<std::size_t>(index.row() * columnCount() + index.column());
    if (cell >= texts_.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::ForegroundRole) MakeTexts();
    switch (role) {
    case Qt::DisplayRole: return texts_[cell];
    case Qt::ForegroundRole: return QColor(losses_[cell] ? ToQColor(kColourRed) : QColor(Qt::black));
    case Qt::BackgroundRole:
        if (year == doc_.ShowYear) return kResultsShade;
        if (year <= doc_.ProjectionYear) return kPeriodShade;
        return {};
    case Qt::FontRole: return year == doc_.ShowYear ? bold_ : normal_;
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant ProjectionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::FontRole) return normal_;
        if (role == Qt::DisplayRole && section >= 0 && section < columnCount())
            return QString::fromUtf8(Heading(section));
        return {};
    }
    const int year = section + 1;
    switch (role) {
    case Qt::DisplayRole: {
        // Under the law of the years, the income year the year is taxed under.
        const std::string income = IncomeYearHeading(doc_, section);
        const std::string repaid = LoanRepaidNote(doc_, section);
        return QStringLiteral("Year ") + YearText(year) +
               (income.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(income)) +
               (repaid.empty() ? QString() : QStringLiteral(", ") + QString::fromStdString(repaid)) +
               (year == doc_.ShowYear ? QStringLiteral(" \u25B8") : QString());
    }
    case Qt::ToolTipRole:
        if (year == doc_.ShowYear) return QStringLiteral("The results year");
        if (year <= doc_.ProjectionYear) return QStringLiteral("In the projection period");
        return {};
    case Qt::FontRole: return year == doc_.ShowYear ? bold_ : normal_;
    default: return {};
    }
}

void ProjectionModel::Refresh() {
    Extras wanted = WantedExtras();
    if (!wanted.SameColumns(extras_)) {
        beginResetModel();
        extras_ = std::move(wanted);
        columns_ = kCarriedLossColumn + static_cast<int>(extras_.loss) +
                   static_cast<int>(extras_.columns.size());
        textsStale_ = true;
        headedShowYear_ = doc_.ShowYear;
        headedProjectionYear_ = doc_.ProjectionYear;
        headedIncomeYear_ = doc_.IncomeYearByYear[0];
        endResetModel();
        return;
    }
    extras_ = std::move(wanted);
    textsStale_ = true;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    // The year headings show the results year, the projection period and the income years and
    // nothing else of the record; each change of them makes the table measure every heading
    // again.
    if (doc_.ShowYear != headedShowYear_ || doc_.ProjectionYear != headedProjectionYear_ ||
        doc_.IncomeYearByYear[0] != headedIncomeYear_ ||
        doc_.LoanPaidOffYear != headedRepaidYear_) {
        headedRepaidYear_ = doc_.LoanPaidOffYear;
        headedShowYear_ = doc_.ShowYear;
        headedProjectionYear_ = doc_.ProjectionYear;
        headedIncomeYear_ = doc_.IncomeYearByYear[0];
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

QString ProjectionCopyText(const ProjectionModel& model, const QModelIndexList& selection) {
    if (selection.isEmpty()) return {};
    int top = kTableColumns, bottom = -1, left = model.columnCount(), right = -1;
    for (const QModelIndex& i : selection) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    std::array<bool, kTableColumns * ProjectionModel::kMaxColumns> selected{};
    const int columns = model.columnCount();
    for (const QModelIndex& i : selection)
        selected[static_cast<std::size_t>(i.row() * columns + i.column())] = true;
    QString text = QStringLiteral("Year");
    for (int c = left; c <= right; ++c)
        text += '\t' + QString::fromUtf8(model.Heading(c)).replace('\n', ' ');
    text += '\n';
    for (int r = top; r <= bottom; ++r) {
        text += YearText(r + 1);
        for (int c = left; c <= right; ++c) {
            text += '\t';
            if (selected[static_cast<std::size_t>(r * columns + c)])
                text += Exact(model.Value(r + 1, c));
        }
        text += '\n';
    }
    return text;
}

ProjectionTable::ProjectionTable(const Investment& doc, QWidget* parent)
    : QTableView(parent), model_(doc) {
    setObjectName(QStringLiteral("ProjectionTable"));
    setModel(&model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    baseFont_ = font();
    SetZoom(100);
}

void ProjectionTable::SetZoom(int percent) {
    QFont f = baseFont_;
    if (percent != 100) {
        const int pixels = QFontInfo(baseFont_).pixelSize();
        f.setPixelSize(std::max((pixels * percent + 50) / 100, 1));
    }
    // The same font again would still have every heading measured anew.
    if (f != font()) setFont(f);
    model_.SetFont(f);
    const QFontMetrics m(f);
    verticalHeader()->setDefaultSectionSize(m.height() + 6);
    // Room for the widest amount of forty years in whole dollars ("($12,345,678)").
    horizontalHeader()->setDefaultSectionSize(m.horizontalAdvance(QStringLiteral("($99,999,999)")) + 14);
}

bool ProjectionTable::Copy() {
    const QString text = ProjectionCopyText(model_, selectionModel()->selectedIndexes());
    if (text.isEmpty()) return false;
    QApplication::clipboard()->setText(text);
    return true;
}

void ProjectionTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
