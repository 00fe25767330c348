// The dialogs of the scale editors (ScaleEditors.h) and their three callers: the Settings
// commands "Stamp Duty" and "Tax Scales", and "Change Scale" in "Purchase Costs".
#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "ui/dialogs/EditorForm.h"
#include "ui/dialogs/ScaleEditors.h"

class Investment;
class SettingsStore;

// The list of a scale editor: one line per row, columns of fixed shares of the width, no
// sorting and no moving of columns, so that line i always shows row i. Taps, double taps and
// the Up and Down keys go to the editor's logic, which decides the selection.
class ScaleRowList : public QTreeWidget, public ScaleListPort {
    Q_OBJECT
public:
    struct Column {
        QString title;
        int tenths;         // share of the list's width
        bool rightAligned;
    };
    explicit ScaleRowList(std::vector<Column> columns, QWidget* parent = nullptr);

    void ShowLines(const ScaleLines& lines, int selected) override;

    std::function<void(int line)> onTap;       // -1 when the tap hits no line
    std::function<void(int line)> onDoubleTap;
    std::function<void(int step)> onStep;      // Up -1, Down +1

    // Every other line, starting with the first, has this background.
    static QColor ShadedLineColour() { return QColor(255, 255, 212); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int LineAt(const QPoint& pos) const;
    void SizeColumns();
    std::vector<Column> columns_;
};

// "Specify Stamp Duty Item", of a StampDutyItemLogic.
extern const FormDialog kStampDutyItemDialog;
// "Specify Scale Item", of a ScaleItemLogic.
extern const FormDialog kScaleItemDialog;

// What the two scale editors' dialogs share: the list of the scale's rows and the item dialog
// that Add and Modify open over it, both bound to the editor's logic while the dialog lives.
class ScaleEditorDialog : public EditorDialog {
    Q_OBJECT
public:
    ~ScaleEditorDialog() override;
    ScaleRowList* List() const { return list_; }

protected:
    ScaleEditorDialog(ScaleEditorLogic& editor, const QString& caption,
                      std::vector<ScaleRowList::Column> columns, const FormDialog& itemDialog,
                      DocumentUi& ui, QWidget* parent);
    // Call once every control exists: binds the list as control `listId` and opens; the list
    // takes the focus when a row is selected.
    void OpenWithList(int listId);

private:
    ScaleEditorLogic& editor_;
    ScaleRowList* list_;
};

// "Stamp Duty". Add and Modify open "Specify Stamp Duty Item" over it.
class StampDutyScaleDialog : public ScaleEditorDialog {
    Q_OBJECT
public:
    StampDutyScaleDialog(StampDutyScaleLogic& editor, DocumentUi& ui, QWidget* parent = nullptr);
};

// "Tax Scales". Add and Modify open "Specify Scale Item" over it.
class TaxScalesDialog : public ScaleEditorDialog {
    Q_OBJECT
public:
    TaxScalesDialog(TaxScalesLogic& editor, DocumentUi& ui, QWidget* parent = nullptr);
};

// Run an editor modally on `scale`; true when it was accepted, `scale` then holding the edited
// rows and location (BaseDuty as it was). Cancel leaves `scale` as it was. `custom`, the
// investment's "Custom" entry, takes the rows edited even on Cancel.
bool RunStampDutyScaleEditor(DutyScale& scale, DutyScale& custom, DocumentUi& ui,
                             QWidget* parent);
bool RunTaxScalesEditor(TaxScale& scale, TaxScale& custom, DocumentUi& ui, QWidget* parent);

// Settings "Stamp Duty" / "Tax Scales": on OK the investment's scale is replaced, the investment
// is recalculated (marked changed) and the scale is written to the settings store.
void EditStampDutyScale(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                        QWidget* parent);
void EditTaxScales(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                   QWidget* parent);

