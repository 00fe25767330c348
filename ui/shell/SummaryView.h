// The summary view: the whole investment as 19 rows of label and value in a scrolling
// window. A tap on a row opens the editor of that row's item; the view also carries the
// chart commands and "Preferences".
#pragma once

#include <QAbstractScrollArea>

#include "ui/shell/SummaryLayout.h"

class Investment;
struct Scales;
class SettingsStore;

class SummaryView : public QAbstractScrollArea {
    Q_OBJECT
public:
    SummaryView(Investment& doc, Scales& scales, SettingsStore& store, QWidget* parent = nullptr);

    // Lays the cells out for the current width of the window and sets the scroll sizes.
    // Done when the window first shows, whenever its size or the zoom changes (the divider
    // moved, say) and after "Preferences".
    void LayOut();
    // The narrowest the summary is made: its values still fit there at any zoom, in a
    // smaller font where they must (SummaryLayout::Fit).
    QSize minimumSizeHint() const override;
    // The line under the mouse, marked so that the user sees it opens; -1 for none.
    int HoveredLine() const { return hovered_; }
    // Sets the scroll sizes from the laid-out cells.
    void SetScrollSizes();

    // The colours changed ("Preferences"): the cells are laid out again in the new ones.
    void ColoursChanged();
    // What a tap at a point of the window does: the row it opened, or -1.
    int Tap(QPoint point);

    // The line the keyboard is on (Up and Down move it, Enter or Space open its editor).
    int CurrentLine() const { return current_; }
    void SetCurrentLine(int row);
    // A line as a screen reader says it: "Property value, $750,000"; its name and value apart
    // (a title has no value). Assistive technology sees the summary as a list of these lines.
    QString LineText(int row) const;
    QString LineName(int row) const;
    QString LineValue(int row) const;
    // The line's box in the viewport.
    QRect LineRect(int row) const;

    SummaryLayout& Summary() { return summary_; }
    const FontSpec* Fonts() const { return summary_.fonts; }
    // The fonts the charts draw with: the summary's at actual size, whatever the zoom.
    const FontSpec* ChartFonts() const { return chartFonts_; }

    // Scales the cells' fonts and rows to `percent` of their size and lays them out again.
    void SetZoom(int percent);
    int Zoom() const { return zoom_; }

signals:
    // A line was tapped, or chosen with Enter or Space: the window opens its item's editor.
    void itemActivated(unsigned itemType);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void EnsureLaidOut();
    // The row under a point of the viewport, or -1.
    int RowAt(QPoint point);
    void SetHovered(int row);
    void UpdateScrollRanges();
    // The window's font at the zoom, never giving rows lower than the cells' own fonts.
    void ApplyFontSize();
    // The window font's row height (height and leading) and average character width.
    struct LineMetrics {
        int rowHeight;
        int charWidth;
    };
    LineMetrics Lines() const;

    Investment& doc_;
    Scales& scales_;
    SettingsStore& store_;
    SummaryLayout summary_;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    int zoom_ = 100;
    QFont baseFont_;
    FontSpec chartFonts_[2];
    // The window's font is measured, never drawn with: what the size search found for it.
    QFont measured_;
    LineMetrics lines_{0, 0};
    int current_ = 0;
    int hovered_ = -1;
    // The average character width of the window's font at actual size.
    int baseCharWidth_ = 0;
};
