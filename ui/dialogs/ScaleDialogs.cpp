#include "ui/dialogs/ScaleDialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/dialogs/NumEdit.h"
#include "ui/dialogs/PropertyDialogs.h"

namespace {

QString FromU16(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The "Location:" list: every built-in entry in location order, the further entries after a
// separator. The form's choices skip the separator, so a choice is a location.
QComboBox* LocationList(EditorForm& f, int count, int firstFurther,
                        std::string_view (*name)(int location)) {
    QStringList lines;
    for (int location = 0; location < count; ++location) {
        const std::string_view n = name(location);
        lines << QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
    }
    QComboBox* list = f.DropDown(ScaleEditorLogic::kLocation, lines);
    list->insertSeparator(firstFurther);
    list->setMaxVisibleItems(count + 1);
    return list;
}

// The list's usual size on a small screen: room for seven lines or so.
constexpr int kListWidth = 300;
constexpr int kListHeight = 190;

} // namespace

// --- ScaleRowList ---

ScaleRowList::ScaleRowList(std::vector<Column> columns, QWidget* parent)
    : QTreeWidget(parent), columns_(std::move(columns)) {
    // Columns that leave part of the width free get an empty one after them, so that the
    // shading and the highlight of a line still run across the whole list.
    int tenths = 0;
    for (const Column& c : columns_) tenths += c.tenths;
    if (tenths < 10) columns_.push_back({QString(), 10 - tenths, false});
    setColumnCount(static_cast<int>(columns_.size()));
    QStringList titles;
    for (const Column& c : columns_) titles << c.title;
    setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
        if (columns_[static_cast<std::size_t>(i)].rightAligned)
            headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setSortingEnabled(false);
    setAlternatingRowColors(false); // the shading is set line by line
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumSize(kListWidth, kListHeight);
    SizeColumns();
}

void ScaleRowList::SizeColumns() {
    const int width = viewport()->width();
    int used = 0;
    const int last = static_cast<int>(columns_.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        // The last column takes what rounding left over.
        const int w = i == last ? width - used
                                : width * columns_[static_cast<std::size_t>(i)].tenths / 10;
        setColumnWidth(i, std::max(w, 0));
        used += w;
    }
}

void ScaleRowList::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    SizeColumns();
}

void ScaleRowList::ShowLines(const ScaleLines& lines, int selected) {
    const int count = static_cast<int>(lines.size());
    while (topLevelItemCount() > count) delete takeTopLevelItem(topLevelItemCount() - 1);
    while (topLevelItemCount() < count) addTopLevelItem(new QTreeWidgetItem);
    for (int line = 0; line < count; ++line) {
        QTreeWidgetItem* item = topLevelItem(line);
        const auto& texts = lines[static_cast<std::size_t>(line)];
        for (int c = 0; c < columnCount(); ++c) {
            const auto i = static_cast<std::size_t>(c);
            item->setText(c, i < texts.size() ? FromU16(texts[i]) : QString());
            item->setTextAlignment(c, (columns_[i].rightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                                          Qt::AlignVCenter);
            // The first, third, ... line light yellow; the others the window colour.
            item->setBackground(c, line % 2 == 0 ? QBrush(ShadedLineColour()) : QBrush());
        }
    }
    if (selected >= 0 && selected < count) {
        QTreeWidgetItem* item = topLevelItem(selected);
        setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollToItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
}

int ScaleRowList::LineAt(const QPoint& pos) const {
    QTreeWidgetItem* item = itemAt(pos);
    return item ? indexOfTopLevelItem(item) : -1;
}

// The logic decides the selection; the list only reports where the stylus went.
void ScaleRowList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (onTap) onTap(LineAt(event->position().toPoint()));
    event->accept();
}

void ScaleRowList::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void ScaleRowList::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void ScaleRowList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int line = LineAt(event->position().toPoint());
    if (line >= 0 && onDoubleTap) onDoubleTap(line);
    event->accept();
}

void ScaleRowList::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        if (onStep) onStep(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    // Other keys (Enter, Escape, Tab) belong to the dialog; none moves the selection here.
    QWidget::keyPressEvent(event);
}

// --- item dialogs ---

const FormDialog kStampDutyItemDialog = {"Specify Stamp Duty Item", [](EditorForm& f) {
    f.AddNumberRow(StampDutyItemLogic::kAbove, QStringLiteral("Above amount:"), kAmountFormat);
    f.AddNumberRow(StampDutyItemLogic::kRate, QStringLiteral("Rate of duty:"), kPercentFormat);
    f.AddCheckRow(StampDutyItemLogic::kFlat, QStringLiteral("Flat rate on total amount"));
}};

const FormDialog kScaleItemDialog = {"Specify Scale Item", [](EditorForm& f) {
    f.AddNumberRow(ScaleItemLogic::kAbove, QStringLiteral("Above amount:"), kAmountFormat);
    f.AddNumberRow(ScaleItemLogic::kRate, QStringLiteral("Marginal rate:"), kPercentFormat);
}};

// --- the editors ---

namespace {

// Connects the list's events to the editor's logic, under the form's guards.
void BindList(EditorForm& form, ScaleEditorLogic& editor, ScaleRowList* list, int id) {
    list->setObjectName(QStringLiteral("control%1").arg(id));
    editor.SetList(list);
    list->onTap = [&form, &editor](int line) { form.Dispatch([&] { editor.Tap(form, line); }); };
    list->onStep = [&form, &editor](int step) { form.Dispatch([&] { editor.Step(form, step); }); };
    list->onDoubleTap = [&form, &editor](int line) {
        form.Dispatch([&] { editor.DoubleTap(form, line); });
    };
}

QVBoxLayout* ButtonColumn(EditorForm& f) {
    auto* column = new QVBoxLayout;
    column->addWidget(f.Button(ScaleEditorLogic::kAdd, QStringLiteral("Add")));
    column->addWidget(f.Button(ScaleEditorLogic::kModify, QStringLiteral("Modify")));
    column->addWidget(f.Button(ScaleEditorLogic::kRemove, QStringLiteral("Remove")));
    column->addStretch();
    return column;
}

} // namespace

ScaleEditorDialog::ScaleEditorDialog(ScaleEditorLogic& editor, const QString& caption,
                                     std::vector<ScaleRowList::Column> columns,
                                     const FormDialog& itemDialog, DocumentUi& ui,
                                     QWidget* parent)
    : EditorDialog(editor, caption, ui, parent), editor_(editor),
      list_(new ScaleRowList(std::move(columns))) {
    editor.editItem = [this, &itemDialog](EditorLogic& item) {
        EditorDialog dialog(item, itemDialog, Ui(), this);
        return dialog.exec() == QDialog::Accepted;
    };
}

ScaleEditorDialog::~ScaleEditorDialog() {
    editor_.SetList(nullptr);
    editor_.editItem = nullptr;
}

void ScaleEditorDialog::OpenWithList(int listId) {
    BindList(Form(), editor_, list_, listId);
    Open();
    if (editor_.selected >= 0) list_->setFocus(Qt::OtherFocusReason);
}

StampDutyScaleDialog::StampDutyScaleDialog(StampDutyScaleLogic& editor, DocumentUi& ui,
                                           QWidget* parent)
    : ScaleEditorDialog(editor, QStringLiteral("Stamp Duty"),
                        {{QStringLiteral("Above"), 4, false},
                         {QStringLiteral("Rate"), 3, true},
                         {QStringLiteral("Flat"), 2, true}},
                        kStampDutyItemDialog, ui, parent) {
    EditorForm& f = Form();
    ScaleRowList* list = List();
    f.Rows()->addRow(
        QStringLiteral("Location:"),
        LocationList(f, kBuiltInDutyCount, kFirstFurtherDutyLocation, DutyLocationName));
    list->setParent(&f);
    f.Layout()->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(f.Button(ScaleEditorLogic::kAdd, QStringLiteral("Add")));
    buttons->addWidget(f.Button(ScaleEditorLogic::kModify, QStringLiteral("Modify")));
    buttons->addWidget(f.Button(ScaleEditorLogic::kRemove, QStringLiteral("Remove")));
    f.Layout()->addLayout(buttons);
    OpenWithList(StampDutyScaleLogic::kList);
}

TaxScalesDialog::TaxScalesDialog(TaxScalesLogic& editor, DocumentUi& ui, QWidget* parent)
    : ScaleEditorDialog(editor, QStringLiteral("Tax Scales"),
                        {{QStringLiteral("Above"), 5, false}, {QStringLiteral("Rate"), 5, true}},
                        kScaleItemDialog, ui, parent) {
    EditorForm& f = Form();
    ScaleRowList* list = List();
    f.Rows()->addRow(QStringLiteral("Location:"),
                     LocationList(f, kBuiltInTaxCount, kFirstFurtherTaxLocation, TaxLocationName));

    // "Medicare:" with its two fields under their headings.
    auto* medicare = new QGridLayout;
    NumEdit* threshold = f.NumberEdit(TaxScalesLogic::kThreshold, kAmountFormat);
    NumEdit* rate = f.NumberEdit(TaxScalesLogic::kMedicareRate, kPercentFormat);
    threshold->setMinimumWidth(100);
    rate->setMinimumWidth(100);
    medicare->addWidget(new QLabel(QStringLiteral("Threshold"), &f), 0, 1);
    medicare->addWidget(new QLabel(QStringLiteral("Rate"), &f), 0, 2);
    medicare->addWidget(new QLabel(QStringLiteral("Medicare:"), &f), 1, 0);
    medicare->addWidget(threshold, 1, 1);
    medicare->addWidget(rate, 1, 2);
    medicare->setColumnStretch(3, 1);
    f.Layout()->addLayout(medicare);
    f.Layout()->addWidget(
        f.CheckBox(TaxScalesLogic::kShadeIn, QStringLiteral("Reduced levy on low incomes")));

    list->setParent(&f);
    list->setMinimumWidth(kListWidth - 60);
    auto* body = new QHBoxLayout;
    body->addWidget(list, 1);
    body->addLayout(ButtonColumn(f));
    f.Layout()->addLayout(body, 1);
    OpenWithList(TaxScalesLogic::kList);
}

// --- callers ---

namespace {

// Runs the editor `Dialog` of `Logic` on a copy of `scale`: on OK `scale` takes the edited
// copy; `custom` takes the "Custom" entry the editor leaves, whatever the ending.
template <class Logic, class Dialog, class Scale>
bool RunScaleEditor(Scale& scale, Scale& custom, DocumentUi& ui, QWidget* parent) {
    Logic editor;
    editor.scale = scale;
    editor.custom = custom;
    Dialog dialog(editor, ui, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    custom = editor.custom;
    if (accepted) scale = editor.scale;
    return accepted;
}

} // namespace

bool RunStampDutyScaleEditor(DutyScale& scale, DutyScale& custom, DocumentUi& ui,
                             QWidget* parent) {
    const double baseDuty = scale.BaseDuty; // not the editor's to change
    if (!RunScaleEditor<StampDutyScaleLogic, StampDutyScaleDialog>(scale, custom, ui, parent))
        return false;
    scale.BaseDuty = baseDuty;
    return true;
}

bool RunTaxScalesEditor(TaxScale& scale, TaxScale& custom, DocumentUi& ui, QWidget* parent) {
    return RunScaleEditor<TaxScalesLogic, TaxScalesDialog>(scale, custom, ui, parent);
}

namespace {

// Runs `run` on a copy of `inForce`, one of `scales`; on OK the copy is in force and the
// investment is recalculated, marked changed.
template <class Scale>
bool EditInForce(Investment& doc, Scales& scales, Scale& inForce, Scale& custom,
                 bool (*run)(Scale&, Scale&, DocumentUi&, QWidget*),
                 DocumentUi& ui, QWidget* parent) {
    Scale scale = inForce;
    if (!run(scale, custom, ui, parent)) return false;
    inForce = scale;
    doc.Recalculate(scales);
    return true;
}

} // namespace

void EditStampDutyScale(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                        QWidget* parent) {
    if (EditInForce(doc, scales, scales.duty, scales.customDuty, RunStampDutyScaleEditor, ui,
                    parent))
        StoreStampDuty(store, scales.duty);
}

void EditTaxScales(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                   QWidget* parent) {
    if (EditInForce(doc, scales, scales.tax, scales.customTax, RunTaxScalesEditor, ui, parent))
        StoreTaxScale(store, scales.tax);
}

