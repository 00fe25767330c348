#include "ui/shell/Platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>


namespace {

// Message boxes show their text as plain text, always: a file name, or a text read from a file
// or the settings, may hold what would otherwise be taken for markup or a link.
int ExecPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

QMessageBox::StandardButton ShowPlain(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                      QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton byDefault) {
    QMessageBox box(icon, QString::fromUtf8(kAppTitle), text, buttons, parent);
    box.setDefaultButton(byDefault);
    return static_cast<QMessageBox::StandardButton>(ExecPlain(box));
}

} // namespace

void ShowMessageBox(QWidget* parent, std::string_view utf8) {
    ShowPlain(parent, QMessageBox::Information,
              QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QMessageBox::Ok,
              QMessageBox::Ok);
}

void Beep() { QApplication::beep(); }

QString QtDocumentUi::AskOpenFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                        QString::fromUtf8(kFileFilter));
}

QString QtDocumentUi::AskSaveFileName(QWidget* parent, const QString& proposed) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), proposed,
                                        QString::fromUtf8(kFileFilter));
}

QString QtDocumentUi::AskExportFileName(QWidget* parent, const QString& caption,
                                       const QString& proposed, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

DocumentUi::SaveAnswer QtDocumentUi::AskSaveChanges(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle), question,
                    QMessageBox::NoButton, parent);
    // One role for all four: the box orders buttons of different roles by the desktop's
    // convention, and the question's buttons stand in this order.
    QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::ActionRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::ActionRole);
    QPushButton* saveAs = box.addButton(QStringLiteral("Save As..."), QMessageBox::ActionRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    ExecPlain(box);
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) return SaveAnswer::Yes;
    if (clicked == no) return SaveAnswer::No;
    if (clicked == saveAs) return SaveAnswer::SaveAs;
    return SaveAnswer::Cancel;
}

void QtDocumentUi::ShowMessage(QWidget* parent, const QString& text) {
    ShowPlain(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDocumentUi::ShowProblem(QWidget* parent, const QString& text, bool error) {
    ShowPlain(parent, error ? QMessageBox::Critical : QMessageBox::Warning, text, QMessageBox::Ok,
              QMessageBox::Ok);
}

bool QtDocumentUi::AskYesNo(QWidget* parent, const QString& question) {
    // "No" is the default: a key pressed by habit keeps what is on disk.
    return ShowPlain(parent, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
                     QMessageBox::No) == QMessageBox::Yes;
}

bool QtDocumentUi::AskKeepOrChange(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kAppTitle), question,
                    QMessageBox::NoButton, parent);
    QPushButton* keep = box.addButton(QStringLiteral("&Keep it"), QMessageBox::AcceptRole);
    QPushButton* change = box.addButton(QStringLiteral("&Change it"), QMessageBox::RejectRole);
    // A slip of the finger is the likelier cause: Enter and Escape go back to the editor.
    box.setDefaultButton(change);
    box.setEscapeButton(change);
    ExecPlain(box);
    return box.clickedButton() == keep;
}
