// The Qt side of every editor: controls bound to an editor's logic (EditorLogic.h).
//
//  - EditorForm: the controls of one dialog or property page. It makes each control through a
//    maker below, registers it under the logic's control id, serves as the logic's ControlPort
//    and forwards the control's events to the logic:
//      edit loses the focus          -> LeaveEdit(id)
//      check box / radio / button    -> Click(id)
//      drop-down line chosen by user -> Choose(id)
//      "Recalculate"                 -> takes the focus (the pending edit's LeaveEdit runs),
//                                       then Recalculate
//    Events are not nested (a refresh that hides the focused edit does not re-enter the logic)
//    and are ignored once the form is closed.
//  - EditorDialog: a modal dialog holding one form, with the standard OK / Cancel button box
//    below it. OK runs the logic's Ok and accepts; Cancel, Escape and closing the window reject
//    and the logic hears nothing. The two buttons take no focus, like the dialog commands of a
//    caption bar: clicking OK does not first "leave" the edit being typed in.
//  - EditorSheet: a modal property sheet, one form per tab page. A page opens when it is first
//    shown; OK runs Ok on every page that has been opened, the others keep their working fields.
//
// A dialog that is only a form is a FormDialog: its caption and the function that lays its
// controls out in Form().Rows() / Form().Layout(); EditorDialog(logic, formDialog) shows it.
// A dialog with behaviour of its own derives from EditorDialog (or builds an EditorSheet), lays
// its controls out the same way and calls Open() at the end of its constructor.
#pragma once

// The controls that the makers return, so that callers can lay them out without more includes.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/dialogs/Plausibility.h"
#include "ui/dialogs/ValueExchange.h"

#include "ui/dialogs/NumEdit.h"

// What the text edits say when typed or pasted text goes past what a file holds.
QString TextLimitNote();

class DocumentUi;
class EditorLogic;
class QDialogButtonBox;
class QTabWidget;

class EditorForm : public QWidget, public ControlPort {
    Q_OBJECT
public:
    explicit EditorForm(EditorLogic& logic, QWidget* parent = nullptr);
    ~EditorForm() override;

    // --- control makers: create, register under `id`, forward events ---
    NumEdit* NumberEdit(int id, std::string_view format);
    QLineEdit* TextEdit(int id);             // one line, no key filter
    QPlainTextEdit* MultiLineEdit(int id);   // vertical scroll bar as needed
    // Both text edits take at most kMaxTextLength characters and say so when more comes.
    QLabel* Figure(int id);                  // a worked-out number, right-aligned
    QCheckBox* CheckBox(int id, const QString& text);
    QRadioButton* RadioButton(int id, const QString& text);
    // Separators inserted later (QComboBox::insertSeparator) are not choices: choice i is the
    // i-th line that is not a separator.
    QComboBox* DropDown(int id, const QStringList& lines);
    QPushButton* Button(int id, const QString& text);
    QPushButton* RecalculateButton();        // "Recalculate"
    QWidget* Control(int id) const;

    // --- layout: a form of label/field rows on top of a vertical box ---
    QVBoxLayout* Layout() const { return layout_; }
    QFormLayout* Rows() const { return rows_; }
    // Convenience rows of Rows().
    NumEdit* AddNumberRow(int id, const QString& label, std::string_view format);
    QLabel* AddFigureRow(int id, const QString& label);
    // A figure row for each (id, label), in order; the labels are UTF-8.
    void AddFigureRows(std::initializer_list<std::pair<int, const char*>> rows);
    QCheckBox* AddCheckRow(int id, const QString& text);
    QPushButton* AddRecalculateRow();

    // --- lifetime ---
    void Open(); // the logic's Open; only the first call acts
    bool IsOpen() const { return open_; }
    void Ok();    // the logic takes the pending edits; the form closes
    void Close(); // the form closes without telling the logic
    // As the "Recalculate" button: the pending edit is taken, then the logic recalculates.
    void RecalculateNow();
    // The controls show the working fields again (an open form only).
    void RefreshNow();
    // The logic's doubtful figures once Ok has run (none for a form never opened).
    Doubts Doubtful() const;
    // "Change it": the form takes events again after Ok, its controls show the working
    // fields, and control `id` (when there is one) takes the focus with its text selected.
    void Reopen(int id);
    bool IsClosed() const { return closed_; }
    // Runs an event of the dialog's own (e.g. a sub-editor accepted) under the same guards as
    // the control events: not nested, not after closing.
    template <class Event> void Dispatch(Event&& event) {
        if (closed_ || busy_) return;
        busy_ = true;
        event();
        busy_ = false;
    }

    // --- ControlPort ---
    std::u16string GetText(int id) const override;
    void PutText(int id, std::u16string_view text) override;
    int GetCheckState(int id) const override;
    void PutCheckState(int id, int state) override;
    int GetChoice(int id) const override;
    void PutChoice(int id, int index) override;
    void Show(int id, bool visible) override;
    void Enable(int id, bool enabled) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Register(int id, QWidget* control);
    void RegisterEdit(int id, QWidget* edit);
    // Runs the leave rule of the edit that has the focus, once.
    void LeavePendingEdit();

    EditorLogic& logic_;
    QVBoxLayout* layout_;
    QFormLayout* rows_;
    std::map<int, QWidget*> controls_;
    std::map<const QObject*, int> edits_;
    std::optional<int> focusedEdit_;

public:
    // The numbers typed in the fields are ones this desktop's user meant: a comma that cannot
    // separate thousands ("6,5") is the decimal comma where the desktop writes decimals with
    // one, and refused elsewhere, with how to type it said beside the field (false; the field
    // takes the focus).
    bool TakeTypedNumbers();

private:
    bool TakeTypedNumber(int id, bool refuse);
    bool open_ = false;
    bool closed_ = false;
    bool busy_ = false;
};

// An editor's dialog that is only a form: its caption, and the function that makes the
// controls and lays them out.
struct FormDialog {
    const char* caption;
    void (*layOut)(EditorForm& form);
};

// What EditorDialog and EditorSheet share: the OK / Cancel box, and OK, which has every form
// take its pending edits and asks about doubtful figures before the window closes.
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    QDialogButtonBox* Buttons() const { return buttons_; }

public slots:
    void accept() override;
    void reject() override;

protected:
    EditorWindow(const QString& caption, DocumentUi& ui, QWidget* parent);
    // Where the window asks the user.
    DocumentUi& Ui() const { return ui_; }
    // "Change it": form `index` comes to the front (a sheet's page).
    virtual void ShowForm(int /*index*/) {}
    // OK and Cancel come last in the Tab order: call once every control exists.
    void PutButtonsLast();
    void showEvent(QShowEvent* event) override;

    // The forms in order: the dialog's one, or the sheet's pages.
    std::vector<EditorForm*> forms_;

private:
    DocumentUi& ui_;
    QDialogButtonBox* buttons_;
};

class EditorDialog : public EditorWindow {
    Q_OBJECT
public:
    EditorDialog(EditorLogic& logic, const QString& caption, DocumentUi& ui,
                 QWidget* parent = nullptr);
    // The form laid out by `dialog`, open.
    EditorDialog(EditorLogic& logic, const FormDialog& dialog, DocumentUi& ui,
                 QWidget* parent = nullptr);

    EditorForm& Form() { return *forms_.front(); }
    // Call once every control exists.
    void Open();
};

class EditorSheet : public EditorWindow {
    Q_OBJECT
public:
    EditorSheet(const QString& caption, DocumentUi& ui, QWidget* parent = nullptr);

    // Pages are added in order; the sheet opens on the first.
    EditorForm& AddPage(EditorLogic& logic, const QString& title);
    EditorForm& Page(int index) { return *forms_.at(static_cast<std::size_t>(index)); }
    QTabWidget* Tabs() const { return tabs_; }
    // Call once every page exists: opens the first page.
    void Open();

protected:
    void ShowForm(int index) override;

private:
    QTabWidget* tabs_;
};

// The standard OK / Cancel box of the editors, wired to `dialog`.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);
