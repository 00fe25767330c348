// Message boxes, the warning sound and the questions of the document framework. The frame
// asks the user through DocumentUi, so that tests can answer in place of the user.
#pragma once

#include <QString>

#include <string_view>

class QWidget;

// The program's name, as in the title of the main window and of message boxes.
inline constexpr const char* kAppTitle = "Pocket VEL";
// The file type of the Open and Save As dialogs, and the extension added to names without one.
inline constexpr const char* kFileFilter = "VEL Files(*.vel)";
inline constexpr const char* kFileExtension = ".vel";
// The name of an investment before its first save.
inline constexpr const char* kUntitled = "Untitled";

// A message box with the text and an OK button.
void ShowMessageBox(QWidget* parent, std::string_view utf8);
// The short warning sound.
void Beep();

class DocumentUi {
public:
    enum class SaveAnswer { Yes, No, Cancel, SaveAs };

    virtual ~DocumentUi() = default;
    // The file to open, or empty when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent) = 0;
    // The name to save under, or empty when the user cancels; `proposed` is shown first.
    virtual QString AskSaveFileName(QWidget* parent, const QString& proposed) = 0;
    // The file an export writes, or empty when the user cancels: `caption` names the export,
    // `filter` its kind of file.
    virtual QString AskExportFileName(QWidget* parent, const QString& /*caption*/,
                                      const QString& proposed, const QString& /*filter*/) {
        return AskSaveFileName(parent, proposed);
    }
    // "Save changes to %1?" with "Yes", "No", "Cancel" and "Save As...".
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& question) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Something went wrong (`error`: a file was not opened, saved or written) or needs the
    // user's care (a warning): a message with the error or the warning icon.
    virtual void ShowProblem(QWidget* parent, const QString& text, bool /*error*/) {
        ShowMessage(parent, text);
    }
    // A question with "Yes" and "No"; true for "Yes". Without a user to ask, the answer is
    // "No", which keeps what is on disk.
    virtual bool AskYesNo(QWidget* /*parent*/, const QString& /*question*/) { return false; }
    // An editor's question about figures that are allowed but seldom meant (Plausibility.h),
    // with "Keep it" and "Change it"; true for "Keep it". Without a user to ask, what was
    // typed is kept.
    virtual bool AskKeepOrChange(QWidget* /*parent*/, const QString& /*question*/) { return true; }
};

// The real dialogs and message boxes.
class QtDocumentUi : public DocumentUi {
public:
    QString AskOpenFileName(QWidget* parent) override;
    QString AskSaveFileName(QWidget* parent, const QString& proposed) override;
    QString AskExportFileName(QWidget* parent, const QString& caption, const QString& proposed,
                              const QString& filter) override;
    SaveAnswer AskSaveChanges(QWidget* parent, const QString& question) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowProblem(QWidget* parent, const QString& text, bool error) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
    bool AskKeepOrChange(QWidget* parent, const QString& question) override;
};
