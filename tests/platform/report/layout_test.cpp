// Tests for report layouts: data formats and the lookups by name that a
// report's initialisation uses.
#include "platform/report/layout.h"

#include <stdexcept>

#include <gtest/gtest.h>

using platform::Value;
using report::DataFormat;
using report::Report;
using report::SectionKind;

TEST(DataFormat, ShowsValuesAsTheLayoutsAsk)
{
    struct Case {
        const char* name;
        DataFormat format;
        Value value;
        const char* shown;
    };
    const Case cases[] = {
        {"plain text", {}, "Cash in hand", "Cash in hand"},
        {"plain number", {}, 1234, "1234"},
        {"null in any format", DataFormat::money("#,##0.00;(#,##0.00)"), Value{}, ""},
        {"money", DataFormat::money("#,##0.00;(#,##0.00)"), 123456789, "1,234,567.89"},
        {"negative money", DataFormat::money("#,##0.00;(#,##0.00)"), -5, "(0.05)"},
        {"money without cents rounds", DataFormat::money("#,##0;(#,##0)"), 150, "2"},
        {"money as text cents", DataFormat::money("0.00"), "1250", "12.50"},
        {"whole number", DataFormat::number("0"), 7, "7"},
        {"grouped whole number", DataFormat::number("#,##0"), 1234567, "1,234,567"},
        {"stored date", DataFormat::date("dd-MM-yy"), "2026-03-05", "05-03-26"},
        {"stored date and time", DataFormat::date("mmm d, yyyy"), "2026-03-05 10:11:12", "Mar 5, 2026"},
        {"not a date", DataFormat::date("dd-MM-yyyy"), "yesterday", ""},
        {"yes", DataFormat::yesNo("POSTED"), 1, "POSTED"},
        {"yes as -1", DataFormat::yesNo("POSTED"), -1, "POSTED"},
        {"no", DataFormat::yesNo("POSTED"), 0, ""},
        {"null as no", DataFormat::yesNo("POSTED"), Value{}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.format.apply(c.value).toStdString(), c.shown);
    }
}

TEST(DataFormat, RefusesAmountsThatAreNoWholeCents)
{
    EXPECT_THROW(DataFormat::money("0.00").apply(Value{12.5}), std::invalid_argument);
    EXPECT_THROW(DataFormat::money("0.00").apply(Value{"12.50"}), std::invalid_argument);
    EXPECT_THROW(DataFormat::number("0").apply(Value{"seven"}), std::invalid_argument);
}

TEST(ReportNames, AreFoundWithoutRegardToCase)
{
    Report r("Chart of Accounts");
    auto& header = r.addSection(SectionKind::ReportHeader, "Section4", 850);
    header.label("CoName", {0, 0, 9360, 250});
    r.addSection(SectionKind::PageFooter, "Section3", 390).label("PrintByLbl", {0, 0, 3000, 240});

    r.setCaption(u"section4", u"coname", "Tamsel Traders");
    r.section(u"SECTION3").control(u"printbylbl").caption = "Printed By: Ali";
    EXPECT_EQ(header.control(u"CoName").caption, "Tamsel Traders");
    EXPECT_EQ(r.section(u"Section3").control(u"PrintByLbl").caption, "Printed By: Ali");
    EXPECT_EQ(r.find(u"Section9"), nullptr);
    EXPECT_THROW(r.setCaption(u"Section9", u"CoName", "x"), std::out_of_range);
    EXPECT_THROW(r.setCaption(u"Section4", u"PrintByLbl", "x"), std::out_of_range);
}
