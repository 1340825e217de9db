// Texts composed at sign-in.
#include "main/login_rules.h"

#include <gtest/gtest.h>

TEST(BizTel, AddsTheFaxOnlyWhenThereIsOne)
{
    struct Case { const char* tel; const char* fax; const char* shown; };
    const Case cases[] = {
        {"021-555", "", "Tel: 021-555"},
        {"021-555", "123", "Tel: 021-555   Fax: 123"},
        {"", "", "Tel: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fax);
        EXPECT_EQ(app::bizTel(QString::fromUtf8(c.tel), QString::fromUtf8(c.fax)).toStdString(), c.shown);
    }
    EXPECT_EQ(app::bizTel(QStringLiteral("1"), QString()).toStdString(), "Tel: 1");   // null fax
}

TEST(YearLine, WritesBothDatesAsMonthDayYear)
{
    EXPECT_EQ(app::yearLine(QDate(2026, 7, 1), QDate(2027, 6, 30)).toStdString(),
              "Financial Year Starting From  Jul 1, 2026  To  Jun 30, 2027");
    EXPECT_EQ(app::mainCaption(QStringLiteral("Acme")).toStdString(), "Tamsel Standard - Acme");
    EXPECT_EQ(app::bizEMail(QStringLiteral("a@b.c")).toStdString(), "E-Mail: a@b.c");
}
