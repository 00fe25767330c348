// Message boxes, the warning sound and the questions of the document framework. The frame
// asks the user through DocumentUi, so that tests can answer in place of the user.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStyle>

#include <string_view>
#include <utility>
#include <vector>

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
    // "Save changes to %1?" with "Yes", "No", "Cancel" and "Save As...".
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& question) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A question with "Yes" and "No"; true for "Yes". Without a user to ask, the answer is
    // "No", which keeps what is on disk.
    virtual bool AskYesNo(QWidget* /*parent*/, const QString& /*question*/) { return false; }
};

// An icon of PNG pictures of the sizes given (square, in pixels, smallest first). Each is read
// when a size drawn from it is first asked for (the smallest at least as large, or else the
// largest, as QIcon chooses), and read as PNG straight away: reading a picture of unknown kind
// first loads every image plug-in and asks each whether it can read it.
QIcon PngIcon(std::vector<std::pair<int, QString>> files);

// The style's picture for a command, as QStyle::standardIcon gives it: the desktop icon
// theme's `themeName` where the theme has it, or else the style's own pictures, read as by
// PngIcon. (The style itself reads all nine of those, of any kind, when asked for the icon.)
// `file` names them among the style's resources ("file" for file-16.png, file-32.png and
// file-128.png).
QIcon CommandIcon(const QStyle& style, QStyle::StandardPixmap which, const char* themeName,
                  const char* file);

// The real dialogs and message boxes.
class QtDocumentUi : public DocumentUi {
public:
    QString AskOpenFileName(QWidget* parent) override;
    QString AskSaveFileName(QWidget* parent, const QString& proposed) override;
    SaveAnswer AskSaveChanges(QWidget* parent, const QString& question) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
};
