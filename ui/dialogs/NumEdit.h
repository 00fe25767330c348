// The number-entry field of the dialogs: a one-line edit that keeps wrong keys out.
//
// The field is bound to a format string. Under a numeric format it lets through the number
// characters " 0123456789,.+-$mMkK%", control characters and the editing and cursor keys, and
// shows its text right-aligned; every other key sounds the beep and changes nothing. Under a
// text format ("a...") every key passes. Enter does not edit the field: it is the dialog's OK. Pasted, dropped and composed text passes the same filter, character by
// character, so a field never receives what could not have been typed into it.
//
// The text is read and written through the value exchange (ValueExchange.h); NumEdit itself
// never changes its text.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <string>
#include <string_view>

class NumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumEdit(std::string_view format, QWidget* parent = nullptr);

    // Binds the field to another format: key mask and alignment follow it.
    void SetFormat(std::string_view format);
    const std::string& Format() const { return format_; }
    std::uint16_t KeyMask() const { return mask_; }

signals:
    // A key or an inserted text was refused (after the beep).
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // True when every character of `text` passes; otherwise beeps and signals.
    bool Admit(const QString& text);
    void PasteFiltered();

    std::string format_;
    std::uint16_t mask_ = 1;
};
