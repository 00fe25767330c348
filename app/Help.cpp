#include "app/Help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QStringList>
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
    auto* text = new QTextBrowser(window);
    text->setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/help/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly)) text->setMarkdown(QString::fromUtf8(guide.readAll()));
    else text->setPlainText(QStringLiteral("The user guide is missing from this build."));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(640, 600);
    window->show();
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

