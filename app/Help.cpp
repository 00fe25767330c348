#include "app/Help.h"

#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStringList>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <string_view>

#include "model/Scales.h"

#ifndef VEL_VERSION
#define VEL_VERSION "1.0"
#endif

namespace {

// As LICENSE says; the install puts it beside the user guide.
constexpr const char* kLicence =
    "MIT licence, copyright Pocket VEL contributors (the file LICENSE that comes with it).";

template <class Names> QString ScaleNames(const Names& names) {
    QStringList list;
    for (std::string_view name : names) {
        const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).trimmed();
        if (text != QStringLiteral("None") && text != QStringLiteral("Custom")) list << text;
    }
    return list.join(QStringLiteral(", "));
}

} // namespace

void ShowHelp(QWidget* parent) {
    // One help window, kept open beside the work.
    if (auto* open = parent->findChild<QDialog*>(QStringLiteral("HelpWindow"))) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QStringLiteral("Pocket VEL Help"));
    window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(window);

    // Ctrl+F finds a word: Enter (or F3) the next place, Shift+Enter the one before, from the
    // top again after the last.
    auto* findRow = new QHBoxLayout;
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), window);
    auto* find = new QLineEdit(window);
    find->setObjectName(QStringLiteral("HelpFind"));
    find->setClearButtonEnabled(true);
    find->setPlaceholderText(QStringLiteral("A word in the guide (Ctrl+F)"));
    findLabel->setBuddy(find);
    auto* found = new QLabel(window);
    found->setObjectName(QStringLiteral("HelpFound"));
    findRow->addWidget(findLabel);
    findRow->addWidget(find, 1);
    findRow->addWidget(found);
    layout->addLayout(findRow);

    auto* splitter = new QSplitter(window);
    auto* contents = new QListWidget(splitter);
    contents->setObjectName(QStringLiteral("HelpContents"));
    contents->setAccessibleName(QStringLiteral("Contents"));
    auto* text = new QTextBrowser(splitter);
    text->setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/help/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly)) text->setMarkdown(QString::fromUtf8(guide.readAll()));
    else text->setPlainText(QStringLiteral("The user guide is missing from this build."));
    splitter->addWidget(contents);
    splitter->addWidget(text);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    layout->addWidget(splitter, 1);

    // The contents: every heading of the guide, indented by its level; a click (or Enter)
    // brings the heading to the top.
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3) continue;
        auto* item = new QListWidgetItem(QString(4 * (level - 2), QLatin1Char(' ')) + block.text(), contents);
        item->setData(Qt::UserRole, block.position());
    }
    auto go = [text](QListWidgetItem* item) {
        if (!item) return;
        const QTextBlock block = text->document()->findBlock(item->data(Qt::UserRole).toInt());
        QTextCursor cursor(block);
        text->setTextCursor(cursor);
        const qreal top = text->document()->documentLayout()->blockBoundingRect(block).top();
        text->verticalScrollBar()->setValue(static_cast<int>(top));
    };
    QObject::connect(contents, &QListWidget::itemActivated, text, go);
    QObject::connect(contents, &QListWidget::itemClicked, text, go);

    auto findNext = [text, find, found](bool backward) {
        const QString word = find->text();
        if (word.isEmpty()) {
            found->clear();
            return;
        }
        const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
        if (!text->find(word, flags)) {
            QTextCursor wrap(text->document());
            if (backward) wrap.movePosition(QTextCursor::End);
            text->setTextCursor(wrap);
            if (!text->find(word, flags)) {
                found->setText(QStringLiteral("Not found"));
                return;
            }
        }
        found->clear();
    };
    QObject::connect(find, &QLineEdit::returnPressed, text, [findNext] { findNext(false); });
    // Typing looks from the top for the first place.
    QObject::connect(find, &QLineEdit::textEdited, text, [text, findNext] {
        text->moveCursor(QTextCursor::Start);
        findNext(false);
    });
    auto* focusFind = new QShortcut(QKeySequence::Find, window);
    QObject::connect(focusFind, &QShortcut::activated, find, [find] {
        find->setFocus(Qt::ShortcutFocusReason);
        find->selectAll();
    });
    auto* next = new QShortcut(QKeySequence::FindNext, window);
    QObject::connect(next, &QShortcut::activated, text, [findNext] { findNext(false); });
    auto* previous = new QShortcut(QKeySequence::FindPrevious, window);
    QObject::connect(previous, &QShortcut::activated, text, [findNext] { findNext(true); });
    auto* back = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return), find);
    back->setContext(Qt::WidgetShortcut);
    QObject::connect(back, &QShortcut::activated, text, [findNext] { findNext(true); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(820, 640);
    window->show();
    text->setFocus();
}

void ShowAbout(QWidget* parent) {
    QMessageBox::about(parent, QStringLiteral("About Pocket VEL"), AboutText());
}

QString AboutText() {
    return QStringLiteral("<p><b>Pocket VEL %1</b></p>"
                          "<p>The analysis of one residential property investment.</p>"
                          "<p>Licence: %2</p>"
                          "<p>Built-in stamp duty scales of 2005 to 2007: %3; "
                          "in force from 1 July 2025: %5.<br>"
                          "Built-in income tax scales of 2005 to 2007: %4; "
                          "of 2025 to 2028: %6.</p>")
        .arg(QStringLiteral(VEL_VERSION), QString::fromUtf8(kLicence),
             ScaleNames(kDutyLocations), ScaleNames(kTaxLocations),
             ScaleNames(kFurtherDutyLocations), ScaleNames(kFurtherTaxLocations));
}

