// A desktop whose locale writes decimals with a comma: the program shows, stores and reads
// back points, so a rate accepted today is the same rate in the next new investment.
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/InvestmentFile.h"
#include "persist/Settings.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/Locale.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/LoanEditors.h"
#include "app/MainWindow.h"
#include "ui/shell/QtSettingsStore.h"
#include "ui/shell/SummaryLayout.h"

TEST(CommaLocale, AcceptedRateIsStoredAndReadBackWithAPoint) {
    Scales scales;
    ScopedLocale comma(kCommaLocale);
    ASSERT_TRUE(comma.ok()) << "the set-up generates " << kCommaLocale;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VELPPC.conf"));

    // OK with the rate untouched, then with a rate typed as the formats read it.
    const struct { const char* typed; double rate; const char* stored; } cases[] = {
        {nullptr, 8.5, "8.50"}, {"7.25", 7.25, "7.25"}};
    for (const auto& c : cases) {
        Investment doc;
        SetUpWorkedExample(doc);
        QtSettingsStore store(path);
        OnNextDialog([&](QDialog& d) {
            QLineEdit* rate = ControlOf<QLineEdit>(d, LoanTypeLogic::kInterestRate);
            EXPECT_EQ(rate->text(), QStringLiteral("8.50%"));
            if (c.typed) Retype(rate, QString::fromLatin1(c.typed));
            OkButton(d)->click();
        });
        EditItem(doc, scales, store, KeepingUi(), ItemLoanType, nullptr);
        EXPECT_EQ(doc.RateInterest, c.rate);
        EXPECT_EQ(QSettings(path, QSettings::IniFormat).value("SettingsFile/RateInterest"),
                  QString::fromLatin1(c.stored));

        Investment next;
        ASSERT_TRUE(NewInvestment(next, scales, store));
        EXPECT_EQ(next.RateInterest, c.rate);
        SummaryLayout summary;
        summary.Layout(240, 16, 6, 0xFFFFFF);
        summary.Refresh(doc);
        EXPECT_EQ(summary.values[ItemLoanType].text, std::string(c.stored) + "%");
    }
}

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// An investment and "Save Settings" written under each locale are the same bytes, and each
// reads under every locale as the investment it was: 8.126 % stays 8.126 % in the file and
// 8.13 % in the settings, whatever the desktop.
TEST(Locales, FilesAndSettingsWrittenUnderOneReadTheSameUnderAnother) {
    Scales scales;
    QTemporaryDir dir;
    std::vector<std::string> files;
    std::vector<QString> settings;
    for (const char* name : kTestLocales) {
        SCOPED_TRACE(name);
        ScopedLocale locale(name);
        ASSERT_TRUE(locale.ok()) << "the set-up generates " << name;
        Investment doc;
        SetUpWorkedExample(doc);
        doc.RateInterest = 8.126;
        doc.Address = u"1 Izmir Street, Istanbul";
        std::ostringstream out(std::ios::binary);
        ASSERT_TRUE(SaveInvestment(doc, scales, out));
        files.push_back(out.str());
        settings.push_back(dir.filePath(QString::fromLatin1(name) + ".conf"));
        QtSettingsStore store(settings.back());
        SaveSettings(store, doc, scales);
        EXPECT_EQ(files.back(), files.front());
        EXPECT_EQ(FileBytes(settings.back()), FileBytes(settings.front()));
    }
    for (const char* reader : kTestLocales) {
        ScopedLocale locale(reader);
        for (std::size_t w = 0; w < files.size(); ++w) {
            SCOPED_TRACE(std::string(reader) + " reads what " + kTestLocales[w] + " wrote");
            Investment doc;
            std::istringstream in(files[w], std::ios::binary);
            ASSERT_TRUE(LoadInvestment(doc, scales, in, nullptr));
            EXPECT_EQ(doc.RateInterest, 8.126);
            EXPECT_EQ(doc.Address, u"1 Izmir Street, Istanbul");
            std::ostringstream again(std::ios::binary);
            ASSERT_TRUE(SaveInvestment(doc, scales, again));
            EXPECT_EQ(again.str(), files[w]);

            // A copy under a new name, so that it is read afresh under this locale.
            const QString copy = dir.filePath(QStringLiteral("%1-%2.conf").arg(reader).arg(w));
            ASSERT_TRUE(QFile::copy(settings[w], copy));
            QtSettingsStore store(copy);
            Investment next;
            ASSERT_TRUE(NewInvestment(next, scales, store));
            EXPECT_EQ(next.RateInterest, 8.13);
            EXPECT_EQ(next.LCYears, 5);
            EXPECT_EQ(ReadSettingDouble(store, "Conveyancing", 0), 950);
        }
        // A file's extension in capitals is the program's under every locale, Turkish too.
        QMimeData drop;
        drop.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/INVESTMENT.VEL"))});
        EXPECT_EQ(MainWindow::DroppedFile(&drop), QStringLiteral("/tmp/INVESTMENT.VEL")) << reader;
    }
}
