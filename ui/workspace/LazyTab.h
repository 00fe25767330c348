// A workspace tab that works its figures out only while it is shown, so that a change to the
// record costs the hidden tabs nothing.
#pragma once

#include <QWidget>

class LazyTab : public QWidget {
public:
    using QWidget::QWidget;

    // The record changed: worked out again at once when shown, else when the tab next shows.
    void Refresh();

protected:
    // Works the figures out again, when they are out of date.
    void BringUpToDate();
    // `figures`, up to date: what the tab's accessors return.
    template <class Figures>
    const Figures& UpToDate(const Figures& figures) {
        BringUpToDate();
        return figures;
    }
    // Works the figures out.
    virtual void WorkOut() = 0;
    void showEvent(QShowEvent* event) override;

private:
    bool stale_ = true;
};
