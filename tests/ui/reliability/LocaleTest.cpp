// A desktop whose locale writes decimals with a comma: the program shows, stores and reads
// back points, so a rate accepted today is the same rate in the next new investment.
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/Locale.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/shell/QtSettingsStore.h"
#include "ui/shell/SummaryLayout.h"

TEST(CommaLocale, AcceptedRateIsStoredAndReadBackWithAPoint) {
    ScopedLocale comma(kCommaLocale);
    ASSERT_TRUE(comma.ok()) << "the set-up generates " << kCommaLocale;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VELPPC.conf"));

    // OK with the rate untouched, then with a rate typed as the formats read it.
    const struct { const char* typed; double rate; const char* stored; } cases[] = {
        {nullptr, 8.5, "8.50"}, {"7.25", 7.25, "7.25"}};
    for (const auto& c : cases) {
        CVELPPCDoc doc;
        SetUpWorkedExample(doc);
        QtSettingsStore store(path);
        OnNextDialog([&](QDialog& d) {
            QLineEdit* rate = ControlOf<QLineEdit>(d, CLoanType::kInterestRate);
            EXPECT_EQ(rate->text(), QStringLiteral("8.50%"));
            if (c.typed) Retype(rate, QString::fromLatin1(c.typed));
            OkButton(d)->click();
        });
        EditItem(doc, store, ItemLoanType, nullptr);
        EXPECT_EQ(doc.RateInterest, c.rate);
        EXPECT_EQ(QSettings(path, QSettings::IniFormat).value("SettingsFile/RateInterest"),
                  QString::fromLatin1(c.stored));

        CVELPPCDoc next;
        ASSERT_TRUE(NewInvestment(next, store));
        EXPECT_EQ(next.RateInterest, c.rate);
        SummaryLayout summary;
        summary.Layout(240, 16, 6, 0xFFFFFF);
        summary.Refresh(doc);
        EXPECT_EQ(summary.values[ItemLoanType].text, std::string(c.stored) + "%");
    }
    ResetScalesToStartup();
}
