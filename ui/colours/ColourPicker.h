// The colour picker: a push button that shows a colour and opens a popup of 40 colours,
// "Automatic" and "Cancel" under itself.
#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "ui/colours/ColourPopupLogic.h"

class ColourPicker;

class ColourPopup : public QWidget {
    Q_OBJECT
  public:
    // Opens under `button` (screen coordinates), kept on `screen`.
    ColourPopup(ColourPicker* owner, ColourValue initial, const QRect& button,
                 const QRect& screen);
    ~ColourPopup() override;

    const ColourPopupModel& Model() const { return model_; }
    const PopupLayout& Layout() const { return layout_; }
    // The picker is going away: report nothing more to it.
    void Detach() { owner_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Deliver(const PopupNotice& notice, bool closeAfter = true);

    QPointer<ColourPicker> owner_;
    ColourPopupModel model_;
    PopupLayout layout_;
};

class ColourPicker : public QPushButton {
    Q_OBJECT
  public:
    explicit ColourPicker(const QString& caption, int controlId = 0, QWidget* parent = nullptr);
    ~ColourPicker() override;

    ColourValue GetColour() const { return colour_; }
    void SetColour(ColourValue colour);
    ColourValue GetTextColour() const { return textColour_; }
    void SetTextColour(ColourValue colour);
    int ControlId() const { return controlId_; }
    // True while its popup is open.
    bool IsActive() const { return active_; }
    ColourPopup* Popup() const { return popup_; }

    // What the popup reports: PickerSelectionChanged, PickerAccepted or PickerCancelled.
    void PopupMessage(int message, ColourValue colour);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // PickerSelectionChanged .. PickerCancelled, with the colour and the control identifier.
    void Notify(int notification, ColourValue colour, int controlId);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void OnTap();

    bool active_ = false;
    ColourValue colour_;
    ColourValue textColour_;
    QPointer<ColourPopup> popup_;
    ColourValue saved_ = 0;
    int controlId_;
};
