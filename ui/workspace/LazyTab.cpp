#include "ui/workspace/LazyTab.h"

void LazyTab::Refresh() {
    stale_ = true;
    if (isVisible()) BringUpToDate();
}

void LazyTab::BringUpToDate() {
    if (!stale_) return;
    stale_ = false;
    WorkOut();
}

void LazyTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    BringUpToDate();
}
