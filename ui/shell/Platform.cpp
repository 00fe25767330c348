#include "ui/shell/Platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

void ShowMessageBox(QWidget* parent, std::string_view utf8) {
    QMessageBox::information(parent, QString::fromUtf8(kAppTitle),
                             QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
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
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) return SaveAnswer::Yes;
    if (clicked == no) return SaveAnswer::No;
    if (clicked == saveAs) return SaveAnswer::SaveAs;
    return SaveAnswer::Cancel;
}

void QtDocumentUi::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QString::fromUtf8(kAppTitle), text);
}

bool QtDocumentUi::AskYesNo(QWidget* parent, const QString& question) {
    // "No" is the default: a key pressed by habit keeps what is on disk.
    return QMessageBox::question(parent, QString::fromUtf8(kAppTitle), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
