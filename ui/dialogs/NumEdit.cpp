#include "ui/dialogs/NumEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "ui/dialogs/NumEntry.h"

namespace {

std::u16string_view View(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

} // namespace

NumEdit::NumEdit(std::string_view format, QWidget* parent) : QLineEdit(parent) {
    SetFormat(format);
}

void NumEdit::SetFormat(std::string_view format) {
    format_ = std::string(format);
    mask_ = KeyMaskForFormat(format);
    setAlignment(mask_ == kMaskText ? Qt::AlignLeft | Qt::AlignVCenter
                                    : Qt::AlignRight | Qt::AlignVCenter);
}

bool NumEdit::Admit(const QString& text) {
    if (TextPasses(View(text), mask_)) return true;
    QApplication::beep();
    emit refused();
    return false;
}

void NumEdit::PasteFiltered() {
    if (Admit(QGuiApplication::clipboard()->text())) paste();
}

void NumEdit::keyPressEvent(QKeyEvent* event) {
    // Enter is the dialog's: it presses OK, from whichever field.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteFiltered();
        event->accept();
        return;
    }
    // Shortcuts and editing keys (Delete sends code 127, which is no typed character) pass;
    // only typed characters are filtered.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool editingKey = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    if (!shortcut && !editingKey && !event->text().isEmpty() && !Admit(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!Admit(event->commitString())) {
        QInputMethodEvent cleared; // drops the composition as well
        QLineEdit::inputMethodEvent(&cleared);
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void NumEdit::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasText() && !Admit(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

// The middle button pastes the selection on X11.
void NumEdit::mouseReleaseEvent(QMouseEvent* event) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
        !Admit(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(pasteText)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &NumEdit::PasteFiltered);
        }
    }
    menu->popup(event->globalPos());
}
