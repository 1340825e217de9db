// Every printed report fed the largest figures its sources hold: amounts of the
// grid's fourteen characters, ten-digit voucher numbers, the longest codes and
// a year's totals as large as they add up without overflow. Every figure the
// layout shows must come out whole in one text run within its box, clear of
// every other figure and on its row's baseline.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QDate>
#include <QFontMetricsF>
#include <QStringList>

#include <gtest/gtest.h>

#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"
#include "platform/report/engine.h"
#include "platform/report/page_model.h"
#include "platform/report/report_feed.h"
#include "platform/text/formats.h"
#include "platform/text/money.h"
#include "reports/accounts/acc_list.h"
#include "reports/accounts/acc_ob.h"
#include "reports/accounts/job_card_rpt.h"
#include "reports/ledgers/acc_ledger.h"
#include "reports/ledgers/acc_ledger_multi.h"
#include "reports/ledgers/gj.h"
#include "reports/ledgers/job_ledger.h"
#include "reports/statements/acc_bal_rpt.h"
#include "reports/statements/statement_layouts.h"
#include "reports/vouchers/voucher_layouts.h"

using platform::Hierarchy;
using platform::Money;
using platform::Recordset;
using platform::Value;
using report::Control;
using report::ControlKind;
using report::DataFormat;

namespace {

const QDate kPrinted{2026, 9, 30};

// The grid takes at most fourteen characters: 99999999999999 is the largest.
constexpr std::int64_t kLine = 99999999999999LL * 100;
// A year's lines of that amount, as many as add up without overflow.
constexpr std::int64_t kYearLines = std::numeric_limits<std::int64_t>::max() / kLine;
constexpr std::int64_t kYear = kYearLines * kLine;
// A voucher holds at most 300 lines.
constexpr std::int64_t kVoucherLines = 300;
constexpr double kSmallestPoints = 6.0;

QString amount(std::int64_t cents)
{
    return platform::formatMoneyQ(Money::fromCents(cents), "#,##0.00;(#,##0.00)");
}

// The widest texts made of numbers that the plain fields hold.
const std::map<std::string, Value> kPlainFigures = {
    {"tranrefshort", "PRV 9999999999"}, {"acccode", std::int64_t{99999999}}, {"level2id", std::int64_t{99999}},
    {"typeid", std::int64_t{999}},      {"level1id", std::int64_t{999}},     {"jobno", std::int64_t{99999999}},
};

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// The layout's text and function boxes, each with its level.
struct Bound {
    const Control* control;
    int level;
};

int levelOf(const std::vector<std::string>& levels, const std::string& member)
{
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (lower(levels[i]) == lower(member))
            return int(i);
    return member.empty() ? 0 : -1;
}

std::vector<Bound> boundControls(const report::Report& r, const std::vector<std::string>& levels)
{
    std::vector<Bound> out;
    for (const report::Section& s : r.sections)
        for (const Control& c : s.controls)
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Function)
                out.push_back({&c, levelOf(levels, c.member)});
    return out;
}

// The data of a report: one row at each level above the last and `lines` at
// the last, every field at its largest. Amounts that a function box sums are
// lines of the grid's largest amount; other amounts are a year's totals.
class LargestData {
public:
    LargestData(const report::Report& layout, std::vector<std::string> levels, std::int64_t lines)
        : m_levels(std::move(levels)), m_lines(lines)
    {
        const auto bound = boundControls(layout, m_levels);
        std::set<std::string> summed;
        for (const Bound& b : bound)
            if (b.control->kind == ControlKind::Function)
                summed.insert(lower(b.control->field));
        std::vector<std::vector<std::string>> names(m_levels.size());
        for (const Bound& b : bound) {
            const std::string field = lower(b.control->field);
            if (b.level < 0 || m_values.count({b.level, field}))
                continue;
            names[std::size_t(b.level)].push_back(field);
            m_values[{b.level, field}] = valueFor(*b.control, summed.count(field) > 0);
        }
        std::vector<platform::LevelRows> rows;
        for (std::size_t level = 0; level < m_levels.size(); ++level) {
            std::vector<std::string> columns = names[level];
            columns.insert(columns.end(), {"RowKey", "ParentKey"});
            const std::int64_t count = level + 1 == m_levels.size() ? m_lines : 1;
            std::vector<Recordset::Row> values;
            for (std::int64_t i = 0; i < count; ++i) {
                Recordset::Row row;
                for (const std::string& n : names[level])
                    row.push_back(m_values.at({int(level), n}));
                row.push_back(level + 1 == m_levels.size() ? i + 1 : 0);
                row.push_back(std::int64_t{0});
                values.push_back(std::move(row));
            }
            rows.push_back({m_levels[level].empty() ? "Top" : m_levels[level],
                            Recordset::fromRows(std::move(columns), std::move(values)),
                            level == 0 ? "" : "RowKey", level == 0 ? "" : "ParentKey"});
        }
        m_data = Hierarchy::fromRows(std::move(rows));
        m_flat = m_data.rows(0);
    }

    Hierarchy& data() { return m_data; }
    // The top level, for the reports that read a flat recordset.
    Recordset& flat() { return m_flat; }

    // Whether `c` shows a year's total rather than one line's amount.
    bool showsYearTotal(const Control& c) const
    {
        if (c.format.kind != DataFormat::Kind::Money)
            return false;
        if (c.kind == ControlKind::Function)
            return true;
        const int level = levelOf(m_levels, c.member);
        return c.kind == ControlKind::TextBox && m_values.at({level, lower(c.field)}).toInt() != kLine;
    }

    // What `c` shows when its value is at its largest.
    QString shown(const Control& c) const
    {
        if (c.kind == ControlKind::Label)
            return c.caption;
        const int level = levelOf(m_levels, c.member);
        const Value v = m_values.at({level, lower(c.field)});
        if (c.kind == ControlKind::TextBox)
            return c.format.apply(v);
        const std::int64_t rows = level + 1 == int(m_levels.size()) ? m_lines : 1;
        if (c.aggregate == report::Aggregate::Count)
            return c.format.apply(Value{rows});
        return c.format.apply(Value{rows * v.toInt()});
    }

private:
    Value valueFor(const Control& c, bool summed) const
    {
        switch (c.format.kind) {
        case DataFormat::Kind::Money: return summed ? kLine : kYear;
        case DataFormat::Kind::Number: return std::int64_t{9999999999};
        case DataFormat::Kind::Date: return "2026-09-30";
        case DataFormat::Kind::YesNo: return std::int64_t{1};
        case DataFormat::Kind::Plain: break;
        }
        if (const auto it = kPlainFigures.find(lower(c.field)); it != kPlainFigures.end())
            return it->second;
        if (c.holdsFigure())
            ADD_FAILURE() << "no largest value for the figure " << c.field;
        return "Name";
    }

    std::vector<std::string> m_levels;
    std::int64_t m_lines;
    std::map<std::pair<int, std::string>, Value> m_values;
    Hierarchy m_data;
    Recordset m_flat;
};


// A report ready to print: the feed and the data it reads, kept together.
struct Printed {
    std::unique_ptr<LargestData> data;
    std::unique_ptr<report::ReportFeed> feed;
};

using Make = std::function<Printed()>;

Printed over(report::Report layout, std::vector<std::string> levels, std::int64_t lines,
             const std::function<std::unique_ptr<report::ReportFeed>(LargestData&)>& feed)
{
    Printed p;
    p.data = std::make_unique<LargestData>(layout, std::move(levels), lines);
    p.feed = feed(*p.data);
    return p;
}

struct Case {
    const char* name;
    Make make;
};

std::vector<Case> everyReport()
{
    using namespace account_reports;
    using namespace ledger_reports;
    using namespace statement_reports;
    const QString year = amount(kYear);
    const ledger_reports::AccLedgerSource::Period period{QDate(2026, 9, 1), QDate(2026, 9, 30)};

    statement_reports::AccBalSource balances;
    balances.bizName = "Tamsel Traders";
    balances.user = "Ali";
    balances.currencySymbol = "Rs";
    balances.from = QDate(2026, 7, 1);
    balances.to = QDate(2026, 9, 30);
    balances.openingText = year + "  Debit ";
    balances.closingText = year + " Credit ";
    const std::vector<std::string> grouped{"", "level2", "level3"};
    const auto trialBalance = [=](report::Report layout, std::vector<std::string> levels, auto make) {
        return [=] {
            return over(layout, levels, kYearLines, [&](LargestData& d) { return make(d.data(), balances); });
        };
    };

    const auto voucher = [](reports::VoucherLayout which) {
        return over(reports::voucherLayout(which), {"", "ChildCmd"}, kVoucherLines, [which](LargestData& d) {
            auto f = std::make_unique<report::ReportFeed>(reports::voucherLayout(which), d.data(),
                                                          report::AtEnd::KeepData);
            reports::initialiseVoucher(*f, {"Tamsel Traders", "Main Road", "123", "Rs", "Journal", "Ali"});
            return f;
        });
    };

    statement_reports::StatementSource statement{"Tamsel Traders", "Ali", "Rs", "For The Period Ended On 30-09-2026"};

    return {
        {"chart", [] {
             return over(accListLayout(), {"", "level2", "level3"}, 3,
                         [](LargestData& d) { return AccList(d.data(), "Tamsel Traders", "Ali"); });
         }},
        {"opening balances", [] {
             return over(accObLayout(), {"", "level2", "level3"}, kYearLines, [](LargestData& d) {
                 return AccOB(d.data(), {"Tamsel Traders", "Ali", "Rs", QDate(2026, 7, 1)});
             });
         }},
        {"job card", [] {
             return over(jobCardLayout(), {""}, 1, [](LargestData& d) {
                 return JobCardRpt(d.flat(), {"Tamsel Traders", "Main Road", "123", "a@b.c", "Ali"});
             });
         }},
        {"Voucher1", [=] { return voucher(reports::VoucherLayout::Voucher1); }},
        {"Voucher2", [=] { return voucher(reports::VoucherLayout::Voucher2); }},
        {"ledger", [=] {
             return over(accLedgerLayout(), {""}, kYearLines, [=](LargestData& d) {
                 AccLedgerSource w;
                 w.bizName = "Tamsel Traders";
                 w.user = "Ali";
                 w.currencySymbol = "Rs";
                 w.accCode = "99999999";
                 w.accName = "Cash in Hand";
                 w.period = period;
                 w.broughtForwardText = "Balance Brought Forward  ";
                 w.broughtForward = Money::fromCents(kYear);
                 w.broughtForwardStatus = "Debit";
                 w.closing = Money::fromCents(kYear);
                 w.closingStatus = "Debit";
                 return makeAccLedger(d.flat(), w);
             });
         }},
        {"multi-ledger", [=] {
             return over(accLedgerMultiLayout(), {"", "ChildCmd"}, kYearLines, [=](LargestData& d) {
                 return makeAccLedgerMulti(report::wholeData(d.data()),
                                           {"Tamsel Traders", "Ali", "Rs", period, false});
             });
         }},
        {"job ledger", [=] {
             return over(jobLedgerLayout(), {""}, kYearLines, [=](LargestData& d) {
                 return makeJobLedger(d.flat(), {"Tamsel Traders", "Rs", "99999999 (Shop)", year});
             });
         }},
        {"day book", [] {
             return over(gjLayout(), {""}, kYearLines, [](LargestData& d) {
                 return makeGJ(report::wholeData(d.data()),
                              {"Tamsel Traders", "Ali", "Rs", QDate(2026, 7, 1), QDate(2026, 9, 30),
                               Money::fromCents(kYear), Money::fromCents(kYear)});
             });
         }},
        {"trial balance", trialBalance(accBalRptLayout(), grouped, AccBalRpt)},
        {"trial balance in two columns", trialBalance(accBalRpt2Layout(), grouped, AccBalRpt2)},
        {"balances of a range", trialBalance(accBalRptRangeLayout(), {""}, AccBalRptRange)},
        {"balances of a range in two columns", trialBalance(accBalRptRange2Layout(), {""}, AccBalRptRange2)},
        {"income statement", [=] {
             return over(incStatementLayout(), {"", "Heads", "ChildCmd"}, kYearLines,
                         [=](LargestData& d) { return IncStatement(d.data(), statement); });
         }},
        {"balance sheet", [=] {
             return over(balSheetLayout(), {"", "NatureCmd", "DetailCmd"}, kYearLines,
                         [=](LargestData& d) { return BalSheet(d.data(), statement); });
         }},
    };
}

// Where a run's text is drawn, by the metrics the engine lays out with: its
// advance placed by its alignment, and its font's ascent and descent about its
// baseline, which stands that ascent below the run's top.
struct Drawn {
    double left, right, top, bottom, baseline;
};

Drawn drawnExtent(const report::TextRun& t)
{
    const QFontMetricsF fm(report::qtFont(t.font));
    const double width = fm.horizontalAdvance(t.text);
    double left = t.rect.left;
    if (t.align == report::Align::Right)
        left = t.rect.right() - width;
    else if (t.align == report::Align::Centre)
        left = t.rect.left + (t.rect.width - width) / 2;
    const double baseline = t.rect.top + fm.ascent();
    return {left, left + width, baseline - fm.ascent(), baseline + fm.descent(), baseline};
}

bool overlap(const Drawn& a, const Drawn& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

TEST(LargeFigures, EveryReportPrintsEveryFigureWholeOnOneLine)
{
    // How often a figure set smaller stood beside a full-size text, by report.
    std::map<std::string, int> smallerBesideFullSize;
    for (const Case& c : everyReport()) {
        SCOPED_TRACE(c.name);
        Printed p = c.make();
        const report::Document doc = p.feed->layOut(kPrinted);
        QStringList texts;
        std::vector<report::TextRun> runs;   // copies: the pages are laid out anew when asked
        for (const report::Page& page : doc.pages)
            for (const auto& item : page.items)
                if (const auto* t = std::get_if<report::TextRun>(&item)) {
                    texts << t->text;
                    runs.push_back(*t);
                }
        const report::Twips left = p.feed->layout().margins.left;
        int figures = 0;
        // The figures' texts, with the size their boxes ask for.
        std::map<QString, double> figureSizes;
        std::set<QString> yearTotals;
        for (const report::Section& s : p.feed->layout().sections) {
            if (!s.visible || s.height == 0)
                continue;
            for (const Control& control : s.controls) {
                if (!control.visible || !control.holdsFigure())
                    continue;
                const QString whole = p.data->shown(control);
                if (whole.isEmpty())
                    continue;
                ++figures;
                figureSizes[whole] = std::max(figureSizes[whole], control.font.points);
                EXPECT_TRUE(texts.contains(whole))
                    << control.name.toStdString() << " does not show " << whole.toStdString();
                const report::Twips boxLeft = left + control.rect.left;
                const bool inside = std::any_of(runs.begin(), runs.end(), [&](const report::TextRun& t) {
                    if (t.text != whole)
                        return false;
                    const Drawn d = drawnExtent(t);
                    return d.left >= boxLeft && d.right <= boxLeft + control.rect.width;
                });
                EXPECT_TRUE(inside)
                    << control.name.toStdString() << " runs out of its box: " << whole.toStdString();
                if (p.data->showsYearTotal(control) || whole.size() > amount(kLine).size())
                    yearTotals.insert(whole);
            }
        }
        // A report whose figures were all passed over would prove nothing.
        EXPECT_GE(figures, 2);
        // Texts, and figures no wider than a line's largest amount, stay
        // legible (the job ledger's voucher references give a twentieth of a
        // point to keep a millimetre clear of the codes beside them); a year's
        // totals are set as small as their boxes need.
        for (const report::TextRun& t : runs) {
            if (!yearTotals.count(t.text)) {
                EXPECT_GE(t.font.points, kSmallestPoints - 0.05) << t.text.toStdString();
            }
        }

        // No figure is drawn over another, and one set smaller stands on
        // the baseline of the texts of its row at the size its box asks for.
        // Each fault is told once a report, with how often it is seen.
        int overlaps = 0;
        int offBaseline = 0;
        std::string firstOverlap;
        std::string firstOffBaseline;
        for (const report::Page& page : doc.pages) {
            std::vector<std::pair<const report::TextRun*, Drawn>> drawn;
            for (const auto& item : page.items)
                if (const auto* t = std::get_if<report::TextRun>(&item); t && !t->text.isEmpty())
                    drawn.emplace_back(t, drawnExtent(*t));
            for (const auto& [figure, extent] : drawn) {
                const auto size = figureSizes.find(figure->text);
                if (size == figureSizes.end())
                    continue;
                const bool smaller = figure->font.points < size->second;
                for (const auto& [other, otherExtent] : drawn) {
                    if (other == figure)
                        continue;
                    if (figureSizes.count(other->text) && overlap(extent, otherExtent) && overlaps++ == 0)
                        firstOverlap = figure->text.toStdString() + " is drawn over " + other->text.toStdString();
                    if (!smaller || other->font.points != size->second || otherExtent.top > extent.baseline
                        || extent.baseline > otherExtent.bottom)
                        continue;
                    ++smallerBesideFullSize[c.name];
                    if (std::abs(extent.baseline - otherExtent.baseline) > 1.0 && offBaseline++ == 0)
                        firstOffBaseline = figure->text.toStdString() + " stands "
                                           + std::to_string(otherExtent.baseline - extent.baseline)
                                           + " twips above the baseline of " + other->text.toStdString();
                }
            }
        }
        EXPECT_EQ(overlaps, 0) << firstOverlap;
        EXPECT_EQ(offBaseline, 0) << firstOffBaseline;
    }
    // The six-column trial balances, whose totals printed over each other,
    // set their figures smaller beside full-size ones.
    EXPECT_GT(smallerBesideFullSize["trial balance"], 0);
    EXPECT_GT(smallerBesideFullSize["balances of a range"], 0);
}

TEST(LargeFigures, TheVoucherTotalsHoldTheLargestTotalAVoucherReaches)
{
    // 300 lines of the largest amount, on either side.
    const QString total = amount(kVoucherLines * kLine);
    ASSERT_EQ(total, "29,999,999,999,999,700.00");
    for (const auto which : {reports::VoucherLayout::Voucher1, reports::VoucherLayout::Voucher2}) {
        SCOPED_TRACE(int(which));
        report::Report layout = reports::voucherLayout(which);
        LargestData data(layout, {"", "ChildCmd"}, kVoucherLines);
        const report::Document doc = report::layOut(layout, data.data(), kPrinted);
        std::vector<report::Rect> boxes;
        for (const char16_t* name : {u"DebitTotal", u"CreditTotal"}) {
            report::Rect box = layout.section(u"Section5").control(name).rect;
            box.left += layout.margins.left;
            boxes.push_back(box);
        }
        std::vector<report::Rect> shown;
        for (const auto& item : doc.pages.back().items)
            if (const auto* t = std::get_if<report::TextRun>(&item); t && t->text == total) {
                EXPECT_GE(t->font.points, kSmallestPoints);
                shown.push_back(t->rect);
            }
        ASSERT_EQ(shown.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(shown[i].left, boxes[i].left);
            EXPECT_EQ(shown[i].width, boxes[i].width);
        }
    }
}
