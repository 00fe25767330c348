#include "ui/dialogs/EditorForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "format/Format.h"
#include "persist/InvestmentFile.h"
#include "ui/dialogs/EditorLogic.h"
#include "ui/dialogs/NumEdit.h"
#include "ui/shell/Platform.h"

namespace {

// Number fields and figures share one width so that their column lines up.
constexpr int kNumberWidth = 140;

std::u16string ToU16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

QString FromU16(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

void KeepSpaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

} // namespace

// --- EditorForm ---

EditorForm::EditorForm(EditorLogic& logic, QWidget* parent)
    : QWidget(parent), logic_(logic), layout_(new QVBoxLayout(this)), rows_(new QFormLayout) {
    rows_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rows_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    rows_->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout_->addLayout(rows_);
}

// No event reaches the logic once the form is going away.
EditorForm::~EditorForm() { closed_ = true; }

void EditorForm::Register(int id, QWidget* control) {
    controls_[id] = control;
    control->setObjectName(QStringLiteral("control%1").arg(id));
}

void EditorForm::RegisterEdit(int id, QWidget* edit) {
    Register(id, edit);
    edits_[edit] = id;
    edit->installEventFilter(this);
}

QWidget* EditorForm::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

NumEdit* EditorForm::NumberEdit(int id, std::string_view format) {
    auto* edit = new NumEdit(format, this);
    edit->setMinimumWidth(kNumberWidth);
    KeepSpaceWhenHidden(edit);
    RegisterEdit(id, edit);
    return edit;
}

QString TextLimitNote() {
    return QStringLiteral("A text holds at most 32,767 characters; the rest was not taken.");
}

namespace {

// Says, beside the edit, that typed or pasted text went past what a file can hold.
void TellTextLimit(QWidget* edit) {
    const QString note = TextLimitNote();
    edit->setToolTip(note);
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), note, edit);
}

} // namespace

QLineEdit* EditorForm::TextEdit(int id) {
    auto* edit = new QLineEdit(this);
    // An investment file holds no longer text; the edit takes no more than that.
    edit->setMaxLength(kMaxTextLength);
    connect(edit, &QLineEdit::inputRejected, edit, [edit] {
        if (edit->text().size() >= kMaxTextLength) TellTextLimit(edit);
    });
    KeepSpaceWhenHidden(edit);
    RegisterEdit(id, edit);
    return edit;
}

QPlainTextEdit* EditorForm::MultiLineEdit(int id) {
    auto* edit = new QPlainTextEdit(this);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    edit->setTabChangesFocus(true);
    // What goes past the longest text a file holds is taken off the end of what was just
    // typed or pasted, and the user is told: never cut later, at the save.
    connect(edit->document(), &QTextDocument::contentsChange, edit,
            [edit](int position, int, int added) {
                const qsizetype excess = edit->toPlainText().size() - kMaxTextLength;
                if (excess <= 0 || added <= 0) return;
                const qsizetype cut = std::min<qsizetype>(excess, added);
                QTextCursor cursor(edit->document());
                cursor.setPosition(position + added - static_cast<int>(cut));
                cursor.setPosition(position + added, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                TellTextLimit(edit);
            });
    RegisterEdit(id, edit);
    return edit;
}

QLabel* EditorForm::Figure(int id) {
    auto* figure = new QLabel(this);
    figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    figure->setMinimumWidth(kNumberWidth);
    // Lines up with the text of the edits above and below.
    figure->setContentsMargins(0, 0, 4, 0);
    Register(id, figure);
    return figure;
}

QCheckBox* EditorForm::CheckBox(int id, const QString& text) {
    auto* box = new QCheckBox(text, this);
    Register(id, box);
    connect(box, &QCheckBox::clicked, this, [this, id] { Dispatch([&] { logic_.Click(*this, id); }); });
    return box;
}

QRadioButton* EditorForm::RadioButton(int id, const QString& text) {
    auto* radio = new QRadioButton(text, this);
    Register(id, radio);
    connect(radio, &QRadioButton::clicked, this,
            [this, id] { Dispatch([&] { logic_.Click(*this, id); }); });
    return radio;
}

QComboBox* EditorForm::DropDown(int id, const QStringList& lines) {
    auto* list = new QComboBox(this);
    list->addItems(lines);
    list->setCurrentIndex(-1);
    list->setMinimumWidth(kNumberWidth);
    Register(id, list);
    connect(list, &QComboBox::activated, this,
            [this, id] { Dispatch([&] { logic_.Choose(*this, id); }); });
    return list;
}

QPushButton* EditorForm::Button(int id, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    Register(id, button);
    connect(button, &QPushButton::clicked, this,
            [this, id] { Dispatch([&] { logic_.Click(*this, id); }); });
    return button;
}

QPushButton* EditorForm::RecalculateButton() {
    auto* button = new QPushButton(QStringLiteral("Recalculate"), this);
    button->setAutoDefault(false);
    button->setObjectName(QStringLiteral("recalculate"));
    connect(button, &QPushButton::clicked, this, [this, button] {
        if (closed_) return;
        // Taking the focus ends the edit being typed in, and with it runs its leave rule.
        button->setFocus(Qt::OtherFocusReason);
        RecalculateNow();
    });
    return button;
}

NumEdit* EditorForm::AddNumberRow(int id, const QString& label, std::string_view format) {
    NumEdit* edit = NumberEdit(id, format);
    rows_->addRow(label, edit);
    return edit;
}

void EditorForm::AddFigureRows(std::initializer_list<std::pair<int, const char*>> rows) {
    for (const auto& [id, label] : rows) AddFigureRow(id, QString::fromUtf8(label));
}

QLabel* EditorForm::AddFigureRow(int id, const QString& label) {
    QLabel* figure = Figure(id);
    rows_->addRow(label, figure);
    return figure;
}

QCheckBox* EditorForm::AddCheckRow(int id, const QString& text) {
    QCheckBox* box = CheckBox(id, text);
    rows_->addRow(box);
    return box;
}

QPushButton* EditorForm::AddRecalculateRow() {
    QPushButton* button = RecalculateButton();
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    rows_->addRow(row);
    return button;
}

void EditorForm::Open() {
    if (open_ || closed_) return;
    open_ = true;
    Dispatch([&] { logic_.Open(*this); });
}

void EditorForm::Ok() {
    if (closed_) return;
    if (!open_) {
        closed_ = true;
        return;
    }
    busy_ = true;
    logic_.Ok(*this);
    busy_ = false;
    closed_ = true;
}

void EditorForm::Close() { closed_ = true; }

void EditorForm::RecalculateNow() {
    if (!open_) return;
    LeavePendingEdit();
    Dispatch([this] { logic_.Recalculate(*this); });
}

void EditorForm::RefreshNow() {
    if (open_) Dispatch([this] { logic_.Refresh(*this); });
}

Doubts EditorForm::Doubtful() const { return open_ ? logic_.Doubtful() : Doubts{}; }

void EditorForm::Reopen(int id) {
    closed_ = false;
    RefreshNow();
    if (QWidget* w = Control(id)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
    }
}

bool EditorForm::TakeTypedNumber(int id, bool refuse) {
    auto* edit = qobject_cast<NumEdit*>(Control(id));
    if (!edit || !(ParseFormat(edit->Format()) & FmtNumeric)) return true;
    const QString text = edit->text();
    if (!CommaCannotGroup(text.toStdString())) return true;
    if (QLocale().decimalPoint() == QLatin1Char(',') && !text.contains(QLatin1Char('.'))) {
        edit->setText(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
        return true;
    }
    // Said beside the field rather than in a box, so that nothing stops the work.
    QApplication::beep();
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                       QStringLiteral("\u201C%1\u201D is not a number: a comma separates "
                                      "thousands, as in 1,500. Type a decimal with a point, "
                                      "as in 6.5.")
                           .arg(text),
                       edit);
    if (refuse) {
        edit->setFocus();
        edit->selectAll();
    }
    return false;
}

bool EditorForm::TakeTypedNumbers() {
    for (const auto& [widget, id] : edits_)
        if (!TakeTypedNumber(id, true)) return false;
    return true;
}

void EditorForm::LeavePendingEdit() {
    if (!focusedEdit_) return;
    // A number that cannot be taken is not passed on; OK refuses it until it is typed again.
    if (!TakeTypedNumber(*focusedEdit_, false)) {
        focusedEdit_.reset();
        return;
    }
    int id = *focusedEdit_;
    focusedEdit_.reset();
    Dispatch([&] { logic_.LeaveEdit(*this, id); });
}

bool EditorForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto it = edits_.find(watched);
        if (it != edits_.end()) {
            if (event->type() == QEvent::FocusIn) {
                focusedEdit_ = it->second;
            } else {
                // A menu or another window taking the focus for a while is no leaving: the
                // focus comes back to the same edit.
                auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                    focusedEdit_ == it->second)
                    LeavePendingEdit();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::u16string EditorForm::GetText(int id) const {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return ToU16(edit->text());
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) return ToU16(text->toPlainText());
    if (auto* label = qobject_cast<QLabel*>(w)) return ToU16(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return ToU16(button->text());
    if (auto* list = qobject_cast<QComboBox*>(w)) return ToU16(list->currentText());
    return {};
}

void EditorForm::PutText(int id, std::u16string_view text) {
    QWidget* w = Control(id);
    const QString s = FromU16(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != s) edit->setText(s);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (plain->toPlainText() != s) plain->setPlainText(s);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(s);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(s);
    }
}

int EditorForm::GetCheckState(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button && button->isChecked() ? 1 : 0;
}

void EditorForm::PutCheckState(int id, int state) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) button->setChecked(state != 0);
}

namespace {

// A line that QComboBox::insertSeparator made.
bool IsSeparator(const QComboBox& list, int line) {
    return list.itemData(line, Qt::AccessibleDescriptionRole).toString() ==
           QLatin1String("separator");
}

} // namespace

// Choices count the lines that are not separators: a separator never shifts a choice.
int EditorForm::GetChoice(int id) const {
    auto* list = qobject_cast<QComboBox*>(Control(id));
    if (!list || list->currentIndex() < 0) return -1;
    int choice = list->currentIndex();
    for (int line = 0; line < list->currentIndex(); ++line)
        if (IsSeparator(*list, line)) --choice;
    return choice;
}

void EditorForm::PutChoice(int id, int index) {
    auto* list = qobject_cast<QComboBox*>(Control(id));
    if (!list) return;
    int choice = 0;
    for (int line = 0; line < list->count(); ++line) {
        if (IsSeparator(*list, line)) continue;
        if (choice++ == index) {
            list->setCurrentIndex(line);
            return;
        }
    }
    list->setCurrentIndex(-1);
}

void EditorForm::Show(int id, bool visible) {
    if (QWidget* w = Control(id)) w->setVisible(visible);
}

void EditorForm::Enable(int id, bool enabled) {
    if (QWidget* w = Control(id)) w->setEnabled(enabled);
}

// --- dialogs ---

namespace {
// OK and Cancel come last in the Tab order, after every control of the form: the box, made
// before the controls, is put into the dialog again, which places it at the end of the chain.
void ButtonsLast(QDialog* dialog, QDialogButtonBox* buttons) {
    QLayout* layout = dialog->layout();
    layout->removeWidget(buttons);
    buttons->setParent(nullptr);
    buttons->setParent(dialog);
    layout->addWidget(buttons);
}

void SelectFocusedText(QDialog* dialog) {
    // Once the dialog has given the focus to its first field: typing replaces what it holds.
    QTimer::singleShot(0, dialog, [dialog] {
        QWidget* first = dialog->focusWidget();
        // Where the window system gave no focus (no window manager), the first control takes it.
        for (QWidget* w = dialog->nextInFocusChain(); !first && w != dialog; w = w->nextInFocusChain())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) first = w;
        if (!first) return;
        first->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(first)) edit->selectAll();
    });
}
} // namespace

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    // Dialog commands, not controls: a click on them must not end the edit being typed in, so
    // they take the focus only from the Tab key. Enter in any field is OK.
    for (QAbstractButton* b : buttons->buttons()) b->setFocusPolicy(Qt::TabFocus);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

EditorWindow::EditorWindow(const QString& caption, DocumentUi& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), buttons_(MakeOkCancel(this)) {
    setWindowTitle(caption);
}

void EditorWindow::PutButtonsLast() { ButtonsLast(this, buttons_); }

void EditorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SelectFocusedText(this);
}

void EditorWindow::accept() {
    for (EditorForm* form : forms_)
        if (!form->TakeTypedNumbers()) return;
    for (EditorForm* form : forms_) form->Ok(); // forms never opened keep their fields
    Doubts doubts;
    int doubtful = -1;
    for (std::size_t i = 0; i < forms_.size(); ++i) {
        const Doubts more = forms_[i]->Doubtful();
        if (doubtful < 0 && !more.empty()) doubtful = static_cast<int>(i);
        doubts.insert(doubts.end(), more.begin(), more.end());
    }
    if (!doubts.empty() &&
        !ui_.AskKeepOrChange(this, QString::fromStdString(DoubtsQuestion(doubts)))) {
        ShowForm(doubtful);
        for (std::size_t i = 0; i < forms_.size(); ++i)
            forms_[i]->Reopen(static_cast<int>(i) == doubtful ? doubts.front().control : -1);
        return;
    }
    QDialog::accept();
}

void EditorWindow::reject() {
    for (EditorForm* form : forms_) form->Close();
    QDialog::reject();
}

EditorDialog::EditorDialog(EditorLogic& logic, const QString& caption, DocumentUi& ui,
                           QWidget* parent)
    : EditorWindow(caption, ui, parent) {
    forms_.push_back(new EditorForm(logic, this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(forms_.front());
    layout->addStretch();
    layout->addWidget(Buttons());
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

EditorDialog::EditorDialog(EditorLogic& logic, const FormDialog& dialog, DocumentUi& ui,
                           QWidget* parent)
    : EditorDialog(logic, QString::fromUtf8(dialog.caption), ui, parent) {
    dialog.layOut(Form());
    Open();
}

void EditorDialog::Open() {
    PutButtonsLast();
    Form().Open();
}

EditorSheet::EditorSheet(const QString& caption, DocumentUi& ui, QWidget* parent)
    : EditorWindow(caption, ui, parent), tabs_(new QTabWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(Buttons());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(forms_.size()))
            forms_[static_cast<std::size_t>(index)]->Open();
    });
}

EditorForm& EditorSheet::AddPage(EditorLogic& logic, const QString& title) {
    auto* page = new EditorForm(logic);
    forms_.push_back(page);
    tabs_->blockSignals(true); // pages open when shown, not when added
    tabs_->addTab(page, title);
    tabs_->blockSignals(false);
    return *page;
}

void EditorSheet::Open() {
    PutButtonsLast();
    if (forms_.empty()) return;
    tabs_->setCurrentIndex(0);
    forms_.front()->Open();
}

void EditorSheet::ShowForm(int index) { tabs_->setCurrentIndex(index); }
