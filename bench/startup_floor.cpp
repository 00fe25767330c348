// What start-up costs any Qt program on this machine: a bare window with a table of 40 lines
// of 15 numbers, of the size Pocket VEL's first window takes, started and measured as
// vel_startup_probe is (from its exec by vel_launch to the first paint of the table). The gap
// between the two is Pocket VEL's own share of its start-up.
#include <QApplication>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>

#include "bench/FirstPaint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardItemModel model(40, 15);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 15; ++c) {
            auto* item = new QStandardItem(QStringLiteral("$%1").arg(313500 + r * 1000 + c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            model.setItem(r, c, item);
        }
    QTableView table;
    table.setModel(&model);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    table.resize(std::min(1100, screen.width()), std::min(700, screen.height()));
    FirstPaint probe({table.viewport()});
    table.show();
    return QApplication::exec();
}
