// Times what a user waits for on generated books of several sizes: the sign-in
// data, the trial balance, the busiest account's ledger, a voucher save, the
// next document number, the day book's query, the layout of a ledger print, a
// cold start in a fresh process, editing, posting and cancelling saved
// vouchers, the voucher search, the job ledger, an online backup, an integrity
// check, the back-up program's back-up and restore, the trial-balance print,
// the statements, the exports, the day book's lazy list and its print, and
// the multi-ledger print's refresh and data, and writes of many lines at once
// in a fresh process. Prints one line per operation and size with
// the median time and the process's peak memory, and checks its own answers
// (the trial balance's totals agree; every account's trial-balance figures at
// a mid-month date, at the year's end and over a period cut at both ends equal
// its ledger's; with --journals, they equal `ledger`'s and `hledger`'s where
// those are installed), failing with exit code 1 when they do not.
//
// Usage: book_bench [--sizes 10000,100000,1000000] [--accounts N] [--runs N]
//                   [--saves N] [--journals DIR] [--keep DIR]
//   --journals DIR  also writes each book as DIR/book-<size>.journal
//   --keep DIR      keeps each book as DIR/book-<size>.db (else a temporary folder)
// book_bench --cold-start BOOK FROM TO is the cold start's fresh process;
// book_bench --bulk-writes COPY SIZE RUNS that of the writes of many lines.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <limits>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDate>
#include <QGuiApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>

#include "backup/backup_rules.h"
#include "backup/backup_store.h"
#include "bench/generated_book.h"
#include "db/delivered.h"
#include "ledgers/day_book_model.h"
#include "ledgers/day_book_store.h"
#include "ledgers/job_ledger_store.h"
#include "ledgers/ledger_export.h"
#include "ledgers/multi_ledger_store.h"
#include "ledgers/balance.h"
#include "ledgers/ledger_store.h"
#include "main/book_lock.h"
#include "main/login_store.h"
#include "db/layout_check.h"
#include "db/upgrade.h"
#include "ledgers/ledger_rows.h"
#include "main/parent.h"
#include "platform/forms/messages.h"
#include "platform/report/page_model.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "reports/ledgers/acc_ledger.h"
#include "statements/acc_balances.h"
#include "platform/data/database.h"
#include "platform/data/file_lock.h"
#include "platform/data/recordset.h"
#include "platform/sheet/xlsx_file.h"
#include "platform/text/formats.h"
#include "platform/report/report_feed.h"
#include "reports/statements/acc_bal_rpt.h"
#include "statements/balance_print.h"
#include "statements/statement_store.h"
#include "statements/trial_balance_export.h"
#include "platform/data/hierarchy.h"
#include "platform/report/engine.h"
#include "platform/report/render.h"
#include "reports/ledgers/acc_ledger_multi.h"
#include "reports/ledgers/gj.h"
#include "statements/trial_balance_store.h"
#include "vouchers/voucher_search_store.h"
#include "vouchers/voucher_store.h"

namespace fs = std::filesystem;
using platform::Money;

namespace {

struct Options {
    std::vector<int> sizes{10'000, 100'000, 1'000'000};
    int accounts = 5000;
    int runs = 7;
    int saves = 300;
    std::string journals;
    std::string keep;
    std::string self;   // this program, for the cold start's fresh process
};

constexpr const char* kToday = "2026-12-10";
constexpr std::size_t kSubTypes = 41;   // the generator's sub types: each needs an account

double peakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;   // kilobytes on Linux
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs `work` once to warm the page cache (as a window opened twice would),
// then `runs` times, or fewer when one run takes over half a second, and
// returns the sorted times.
std::vector<double> timesOf(const std::function<void()>& work, int runs)
{
    auto start = std::chrono::steady_clock::now();
    work();
    if (msSince(start) > 500)
        runs = std::min(runs, 3);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        start = std::chrono::steady_clock::now();
        work();
        times.push_back(msSince(start));
    }
    std::sort(times.begin(), times.end());
    return times;
}

double median(const std::vector<double>& sorted)
{
    return sorted[sorted.size() / 2];
}

double percentile99(const std::vector<double>& sorted)
{
    return sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
}

void report(const char* operation, int size, double ms, const std::string& extra = {})
{
    std::printf("%-44s %9d lines %10.3f ms %8.1f MB peak%s\n", operation, size, ms, peakMb(), extra.c_str());
    std::fflush(stdout);
}

int g_failures = 0;

void check(bool ok, const std::string& what)
{
    if (!ok) {
        std::fprintf(stderr, "SELF-CHECK FAILED: %s\n", what.c_str());
        ++g_failures;
    }
}

std::string text(Money m)
{
    return platform::formatMoney(m, "0.00;-0.00");
}

const statements::AccountFigures* rowOf(const statements::TrialBalance& tb, std::int64_t code)
{
    const auto row = std::find_if(tb.rows.begin(), tb.rows.end(), [&](const auto& r) { return r.accCode == code; });
    return row == tb.rows.end() ? nullptr : &*row;
}

// The voucher search on the kind with the most vouchers in the year: opening
// (the list of the year's keys and the first page of rows the grid reads) and
// a description search, one that keeps every voucher and one that keeps none.
void timeVoucherSearch(platform::Database& db, int size, const Options& o)
{
    constexpr double kTargetMs = 100;
    constexpr std::size_t kFirstPage = 100;
    platform::Statement busiest(db, "SELECT TranType, COUNT(*) FROM Transactions WHERE FYID = 1 AND TranType <> 11"
                                    " GROUP BY TranType ORDER BY 2 DESC LIMIT 1");
    if (!busiest.step()) {
        check(false, "voucher search: the book has vouchers");
        return;
    }
    const vouchers::KindYear kind{static_cast<int>(busiest.columnInt64(0)), 1};
    const std::size_t inKind = static_cast<std::size_t>(busiest.columnInt64(1));
    busiest.reset();

    auto open = [&](const vouchers::SearchCriteria& criteria, std::size_t& listed) {
        const auto rows = vouchers::listVouchers(db, kind, criteria);
        vouchers::VoucherDetailsReader reader(db);
        for (std::size_t i = 0; i < std::min(rows.size(), kFirstPage); ++i)
            check(reader.read(rows[i].tranNo).has_value(), "voucher search: a listed voucher reads");
        listed = rows.size();
    };
    const std::string tail = "  (" + std::to_string(inKind) + " vouchers of type " + std::to_string(kind.tranType) + ")";
    std::size_t listed = 0;
    const double openMs = median(timesOf([&] { open({}, listed); }, o.runs));
    report("voucher search, opening on the busiest kind", size, openMs, tail);
    check(listed == inKind, "voucher search lists every voucher of the kind in the year");
    check(openMs < kTargetMs, "voucher search opens in under 100 ms");

    for (const auto& [label, part, expected] :
         {std::tuple{"voucher search, description kept by all", "VOUCHER", inKind},
          std::tuple{"voucher search, description kept by none", "50% off_", std::size_t{0}}}) {
        vouchers::SearchCriteria criteria;
        criteria.descPart = QString::fromUtf8(part);
        const double ms = median(timesOf([&, c = criteria] { open(c, listed); }, o.runs));
        report(label, size, ms, tail);
        check(listed == expected, std::string(label) + ": lists " + std::to_string(listed));
        check(ms < kTargetMs, std::string(label) + ": under 100 ms");
    }
}

// The job ledger: the busiest generated job's, checked against sums of its
// own; then a job charged (inside a transaction that is rolled back, so the
// book stays as generated) to enough vouchers for kJobLedgerLines lines, or
// all a small book has, which must build in under kJobLedgerMs once it holds
// that many.
void timeJobLedger(platform::Database& db, const bench::GeneratedBook& book, int size, const Options& o)
{
    constexpr int kJobLedgerLines = 10'000;
    constexpr double kJobLedgerMs = 50;
    // What a job ledger counts, summed by the database: lines with an amount of
    // the job's posted, uncancelled vouchers of the year on income and expense accounts.
    constexpr const char* kJobSums =
        "SELECT COUNT(*), COALESCE(SUM(s.Debit), 0), COALESCE(SUM(s.Credit), 0)"
        " FROM Transactions t JOIN SubTransactions s ON s.TranNo = t.TranNo"
        " JOIN AccLevel3 a ON a.AccCode = s.AccCode JOIN AccLevel1 l ON l.TypeID = a.Level1ID"
        " WHERE t.JobID = ? AND t.FYID = 1 AND t.Posted = 1 AND t.Cancel = 0 AND l.NatureID >= 40"
        " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)";
    const auto agrees = [&](std::int64_t jobId, const ledgers::JobLedger& ledger) {
        platform::Statement sums(db, kJobSums);
        sums.bindAll({jobId});
        sums.step();
        const std::int64_t debits = sums.columnInt64(1);
        const std::int64_t credits = sums.columnInt64(2);
        return static_cast<std::size_t>(sums.columnInt64(0)) == ledger.lines.size()
               && ledger.totals.totalDebit == Money::fromCents(debits)
               && ledger.totals.totalCredit == Money::fromCents(credits)
               && ledger.totals.profit == Money::fromCents(credits - debits)
               && (ledger.lines.empty() || ledger.lines.back().profit == ledger.totals.profit);
    };

    check(book.jobs.size() == static_cast<std::size_t>(bench::kJobs), "the book has its jobs");
    check(book.vouchers < 1000 || (book.jobVouchers * 1000 > book.vouchers * (bench::kJobVouchersPerMille / 2)
                                   && book.jobVouchers * 1000 < book.vouchers * (bench::kJobVouchersPerMille * 2)),
          "about one voucher in a hundred carries a job (" + std::to_string(book.jobVouchers) + " of "
              + std::to_string(book.vouchers) + ")");
    const std::int64_t busiestJob = db.scalar(
        "SELECT t.JobID FROM Transactions t JOIN SubTransactions s ON s.TranNo = t.TranNo"
        " JOIN AccLevel3 a ON a.AccCode = s.AccCode JOIN AccLevel1 l ON l.TypeID = a.Level1ID"
        " WHERE t.JobID <> 0 AND t.FYID = 1 AND t.Posted = 1 AND t.Cancel = 0 AND l.NatureID >= 40"
        " GROUP BY t.JobID ORDER BY COUNT(*) DESC, t.JobID LIMIT 1").toInt();
    if (busiestJob != 0) {
        ledgers::JobLedger ledger;
        const double ms = median(timesOf([&] { ledger = ledgers::buildJobLedger(db, 1, busiestJob); }, o.runs));
        report("job ledger of the busiest generated job", size, ms,
               "  (" + std::to_string(ledger.lines.size()) + " lines)");
        check(agrees(busiestJob, ledger), "the busiest job's ledger agrees with the sums of its lines");
    }

    platform::Transaction tx(db);
    db.exec("INSERT INTO Jobs (JobNo, JobDesc, Status) VALUES (99999999, 'Timing job', 0)");
    const std::int64_t big = db.lastInsertId();
    // The first vouchers without a job whose counted income and expense lines
    // add up to no more than kJobLedgerLines.
    const int charged = db.exec(
        "UPDATE Transactions SET JobID = ?1 WHERE TranNo IN (SELECT TranNo FROM ("
        " SELECT t.TranNo, SUM(COUNT(*)) OVER (ORDER BY t.TranNo) AS upTo"
        " FROM Transactions t JOIN SubTransactions s ON s.TranNo = t.TranNo"
        " JOIN AccLevel3 a ON a.AccCode = s.AccCode JOIN AccLevel1 l ON l.TypeID = a.Level1ID"
        " WHERE t.JobID = 0 AND t.FYID = 1 AND t.Posted = 1 AND t.Cancel = 0 AND l.NatureID >= 40"
        " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
        " GROUP BY t.TranNo) WHERE upTo <= ?2)",
        {big, kJobLedgerLines});
    ledgers::JobLedger ledger;
    const double ms = median(timesOf([&] { ledger = ledgers::buildJobLedger(db, 1, big); }, o.runs));
    report("job ledger of a job on many vouchers", size, ms,
           "  (" + std::to_string(ledger.lines.size()) + " lines on " + std::to_string(charged) + " vouchers)");
    check(agrees(big, ledger), "the large job's ledger agrees with the sums of its lines");
    if (ledger.lines.size() + 10 >= static_cast<std::size_t>(kJobLedgerLines))
        check(ms < kJobLedgerMs, "a job ledger of " + std::to_string(ledger.lines.size()) + " lines builds in under "
                                     + std::to_string(static_cast<int>(kJobLedgerMs)) + " ms (took "
                                     + std::to_string(ms) + " ms)");
    // tx rolls back: the book stays as generated.
}

// --- every account against its ledger, and against the command-line tools ---

// The dates the cross-checks cut the year at: the middle of the sixth month
// (a cut month at the end), the year's end, and a period from the middle of
// the third month to the middle of the ninth (cut months at both ends).
struct CutDates {
    QDate midMonth, yearEnd, periodFrom, periodTo;
};

CutDates cutDates(const bench::GeneratedBook& book)
{
    return {book.yearStart.addMonths(5).addDays(14), book.yearEnd, book.yearStart.addMonths(2).addDays(12),
            book.yearStart.addMonths(8).addDays(17)};
}

std::map<std::int64_t, const statements::AccountFigures*> byCode(const statements::TrialBalance& tb)
{
    std::map<std::int64_t, const statements::AccountFigures*> rows;
    for (const auto& r : tb.rows)
        rows[r.accCode] = &r;
    return rows;
}

// For every account, the trial balance's closing at a mid-month date and at the
// year's end is its ledger's closing, and the debits and credits of a period
// cut at both ends are the ledger's. The two read the book in different ways
// (month totals and the cut days; one account's lines in date order), so a
// fault in either shows here. Prints the first difference of each kind.
void checkEveryAccountAgainstItsLedger(platform::Database& db, const bench::GeneratedBook& book, int size)
{
    const CutDates cut = cutDates(book);
    const auto start = std::chrono::steady_clock::now();
    int compared = 0;
    for (const QDate to : {cut.midMonth, cut.yearEnd}) {
        const auto tb = statements::trialBalance(db, 1, book.yearStart, to, statements::AccountSelection::all());
        const auto rows = byCode(tb);
        int wrong = 0;
        for (const std::int64_t code : book.codes) {
            const auto ledger = ledgers::buildLedger(db, 1, code, ledgers::DateRange{book.yearStart, to});
            const auto row = rows.find(code);
            const Money ours = row == rows.end() ? Money{} : row->second->closing;
            ++compared;
            if (ours != ledger.totals.closing && wrong++ == 0)
                check(false, "account " + std::to_string(code) + " at " + platform::isoDate(to)
                                 + ": trial balance closing " + text(ours) + ", ledger closing "
                                 + text(ledger.totals.closing));
        }
        check(wrong == 0, std::to_string(wrong) + " account(s) whose trial balance closing at " + platform::isoDate(to)
                              + " is not their ledger's");
    }
    const auto period = statements::trialBalance(db, 1, cut.periodFrom, cut.periodTo,
                                                 statements::AccountSelection::all());
    const auto rows = byCode(period);
    int wrong = 0;
    for (const std::int64_t code : book.codes) {
        const auto ledger = ledgers::buildLedger(db, 1, code, ledgers::DateRange{cut.periodFrom, cut.periodTo});
        const auto row = rows.find(code);
        const Money debits = row == rows.end() ? Money{} : row->second->debits;
        const Money credits = row == rows.end() ? Money{} : row->second->credits;
        ++compared;
        if ((debits != ledger.totals.totalDebit || credits != ledger.totals.totalCredit) && wrong++ == 0)
            check(false, "account " + std::to_string(code) + " from " + platform::isoDate(cut.periodFrom) + " to "
                             + platform::isoDate(cut.periodTo) + ": trial balance " + text(debits) + " / "
                             + text(credits) + ", ledger " + text(ledger.totals.totalDebit) + " / "
                             + text(ledger.totals.totalCredit));
    }
    check(wrong == 0, std::to_string(wrong) + " account(s) whose period debits and credits are not their ledger's");
    std::printf("# %d account figures compared with their ledgers at %d lines in %.1f s\n", compared, size,
                msSince(start) / 1000);
    std::fflush(stdout);
}

// A decimal as the tools print it ("-1234.50", "1,234.5", "0") in cents;
// nothing for any other text.
std::optional<std::int64_t> centsOf(std::string t)
{
    t.erase(std::remove(t.begin(), t.end(), ','), t.end());
    const bool negative = !t.empty() && t[0] == '-';
    if (negative)
        t.erase(0, 1);
    const auto point = t.find('.');
    std::string whole = t.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : t.substr(point + 1);
    if (whole.empty() || fraction.size() > 2 || whole.find_first_not_of("0123456789") != std::string::npos
        || fraction.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    fraction.resize(2, '0');
    const std::int64_t cents = std::stoll(whole) * 100 + std::stoll(fraction);
    return negative ? -cents : cents;
}

bool onPath(const char* tool)
{
    const std::string probe = std::string("command -v ") + tool + " > /dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

// Each account's balance in `tool`'s output: lines "account<TAB>amount"
// (ledger's format below) or CSV "account","amount" (hledger's). The account
// is the journal's "type:sub type:code"; its code is the last part.
std::map<std::int64_t, std::int64_t> toolBalances(const std::string& command, bool& ok)
{
    std::map<std::int64_t, std::int64_t> out;
    ok = false;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[512];
    bool parsed = true;
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        std::string line(buffer);
        line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        const auto sep = line.find_first_of("\t,");
        if (line.empty() || line.rfind("account", 0) == 0)
            continue;
        const auto colon = line.rfind(':', sep);
        if (sep == std::string::npos || colon == std::string::npos) {
            parsed = false;
            continue;
        }
        const auto cents = centsOf(line.substr(sep + 1));
        if (!cents) {
            parsed = false;
            continue;
        }
        out[std::stoll(line.substr(colon + 1, sep - colon - 1))] = *cents;
    }
    ok = ::pclose(pipe) == 0 && parsed;
    return out;
}

// Our figure of every account that has one against the tool's, both ways;
// accounts at zero are left out on both sides, as the tools leave them out.
void compareBalances(const std::string& what, const std::map<std::int64_t, std::int64_t>& ours,
                     const std::map<std::int64_t, std::int64_t>& theirs)
{
    int wrong = 0;
    std::string first;
    auto note = [&](std::int64_t code, std::int64_t a, std::int64_t b) {
        if (wrong++ == 0)
            first = "account " + std::to_string(code) + ": ours " + text(Money::fromCents(a)) + ", theirs "
                    + text(Money::fromCents(b));
    };
    for (const auto& [code, cents] : ours) {
        const auto t = theirs.find(code);
        const std::int64_t other = t == theirs.end() ? 0 : t->second;
        if (cents != other)
            note(code, cents, other);
    }
    for (const auto& [code, cents] : theirs)
        if (cents != 0 && !ours.contains(code))
            note(code, 0, cents);
    check(wrong == 0, what + ": " + std::to_string(wrong) + " account(s) differ; first " + first);
    if (wrong == 0)
        std::printf("# %s: %zu accounts agree\n", what.c_str(), ours.size());
    std::fflush(stdout);
}

std::string toolDate(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

// Our balances against `ledger`'s and `hledger`'s on the same book's journal,
// where they are installed: each account's closing at the mid-month date and
// at the year's end, and its debits less credits over the period cut at both
// ends. Only cleared postings count, as only posted, uncancelled vouchers do here.
void compareWithTools(platform::Database& db, const bench::GeneratedBook& book, const std::string& journal)
{
    const CutDates cut = cutDates(book);
    struct Span {
        const char* name;
        std::optional<QDate> from;   // none: from the book's first posting
        QDate to;
    };
    const Span spans[] = {{"closing at mid-month", std::nullopt, cut.midMonth},
                          {"closing at the year's end", std::nullopt, cut.yearEnd},
                          {"period cut at both ends", cut.periodFrom, cut.periodTo}};
    for (const char* tool : {"ledger", "hledger"}) {
        if (!onPath(tool)) {
            std::printf("# (%s is not installed: no comparison with it)\n", tool);
            continue;
        }
        for (const Span& span : spans) {
            const auto tb = statements::trialBalance(db, 1, span.from.value_or(book.yearStart), span.to,
                                                     statements::AccountSelection::all());
            std::map<std::int64_t, std::int64_t> ours;
            for (const auto& r : tb.rows) {
                const Money m = span.from ? r.debits - r.credits : r.closing;
                if (!m.isZero())
                    ours[r.accCode] = m.cents();
            }
            const std::string begin = span.from ? " -b " + toolDate(*span.from) : std::string();
            const std::string end = " -e " + toolDate(span.to.addDays(1));   // the tools' end is exclusive
            const std::string command =
                std::string(tool) == "ledger"
                    ? "ledger -f '" + journal + "' --cleared --flat --no-total" + begin + end
                          + " balance --balance-format '%(account)\\t%(quantity(scrub(display_total)))\\n'"
                    : "hledger -f '" + journal + "' balance --cleared --flat -N" + begin + end + " -O csv";
            bool ok = false;
            const auto theirs = toolBalances(command, ok);
            check(ok, std::string(tool) + " ran and its output was read: " + command);
            compareBalances(std::string(tool) + ", " + span.name, ours, theirs);
        }
    }
}

// --- what a user waits for that the figures above leave out ---

// The child's part of the cold start: a fresh process opens the book as the
// program does, signs in as the administrator and shows the trial balance;
// prints its dates, its rows and its debit total, then ends.
int coldStart(int& argc, char** argv, const std::string& path, const std::string& from, const std::string& to)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes about the hidden screen are no answer of ours.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    int boxes = 0;
    forms::setMessageHook([&](const forms::MessageBox& box) {
        std::fprintf(stderr, "cold start: box \"%s\": %s\n", qPrintable(box.title), qPrintable(box.text));
        ++boxes;
        return forms::Answer::Ok;
    });
    shell::setScreenWidthTwips(1024 * 15);
    app::Parent main(QString::fromStdString(path));
    main.PelkUser = 1;
    main.FYID = 1;
    main.FYStart = QDate::fromString(QString::fromStdString(from), Qt::ISODate);
    main.FYEnd = QDate::fromString(QString::fromStdString(to), Qt::ISODate);
    if (!main.MDIForm_Load())
        return 1;
    main.AccTimer_Timer();
    main.show();
    auto* w = new statements::AccBalances(main);
    w->show();
    QApplication::processEvents();
    const auto* grid = w->findChild<QTableView*>(QStringLiteral("DetailGrid2"));
    std::printf("%s %s %d %s\n", qPrintable(w->findChild<QDateEdit*>(QStringLiteral("BalDt_0"))->date().toString(Qt::ISODate)),
                qPrintable(w->findChild<QDateEdit*>(QStringLiteral("BalDt_1"))->date().toString(Qt::ISODate)),
                grid ? grid->model()->rowCount() : -1,
                qPrintable(w->findChild<QLineEdit*>(QStringLiteral("TDr"))->text()));
    return boxes == 0 ? 0 : 1;
}

// Times the cold start in a fresh process (the file in the system's cache, as
// on a second start of the day) and checks what it showed against a trial
// balance worked out here.
void timeColdStart(platform::Database& db, const std::string& self, const std::string& path,
                   const bench::GeneratedBook& book, int size, int runs)
{
    const std::string command = "'" + self + "' --cold-start '" + path + "' " + toolDate(book.yearStart) + " "
                                + toolDate(book.yearEnd);
    std::string shown;
    bool ok = true;
    const auto times = timesOf([&] {
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[256] = {0};
        shown = pipe && std::fgets(buffer, sizeof buffer, pipe) ? buffer : "";
        ok = pipe && ::pclose(pipe) == 0 && ok;
    }, std::min(runs, 5));
    report("cold start: open the book, show the balances", size, median(times));
    check(ok, "the cold start ran without a box or an error");
    char from[16] = {0}, to[16] = {0}, total[64] = {0};
    int rows = -1;
    check(std::sscanf(shown.c_str(), "%15s %15s %d %63s", from, to, &rows, total) == 4,
          "the cold start printed what it showed: " + shown);
    const auto tb = statements::trialBalance(db, 1, QDate::fromString(QString::fromLatin1(from), Qt::ISODate),
                                             QDate::fromString(QString::fromLatin1(to), Qt::ISODate),
                                             statements::AccountSelection::all());
    const auto listed = std::count_if(tb.rows.begin(), tb.rows.end(), statements::listedInTwoColumns);
    check(rows == listed && statements::amountTotalText(tb.totals.twoColumnDebit) == total,
          "the cold start showed " + std::to_string(rows) + " rows and " + total + "; the trial balance has "
              + std::to_string(listed) + " and " + statements::amountTotalText(tb.totals.twoColumnDebit));
}

// Times editing, posting and cancelling saved vouchers as the voucher form
// writes them (one durable transaction each), and checks the trial balance
// follows each step.
void timeVoucherChanges(platform::Database& db, const bench::GeneratedBook& book, int size, int count)
{
    const vouchers::KindYear journal{41, 1};
    std::vector<std::int64_t> tranNos;
    platform::Statement pick(db, "SELECT TranNo FROM Transactions WHERE TranType = 41 AND FYID = 1 AND Posted = 1"
                                 " AND Cancel = 0 ORDER BY TranNo LIMIT ?");
    pick.bindAll({count});
    while (pick.step())
        tranNos.push_back(pick.columnInt64(0));
    if (tranNos.empty())
        return;
    const auto yearTotals = [&] {
        return statements::trialBalance(db, 1, book.yearStart, book.yearEnd, statements::AccountSelection::all())
            .totals;
    };
    const auto before = yearTotals();
    const QDateTime when(book.yearStart.addMonths(6), QTime(12, 0));
    const auto write = [&](std::int64_t tranNo, const std::function<void(vouchers::StoredVoucher&)>& change) {
        auto v = *vouchers::loadVoucher(db, journal, tranNo);
        change(v);
        vouchers::VoucherHeader h;
        h.docNo = v.docNo;
        h.date = v.date;
        h.desc = v.desc;
        h.amount = accounts::totalsOf(v.lines)->debit;
        h.words = "Timing only.";
        h.jobId = v.jobId;
        h.user = 1;
        h.when = when;
        h.cancelled = v.cancelled;
        h.posted = v.posted;
        const auto start = std::chrono::steady_clock::now();
        platform::Transaction tx(db);
        const bool done = vouchers::updateVoucher(tx, journal, tranNo, h, v.lines);
        tx.commit();
        check(done, "voucher " + std::to_string(tranNo) + " was rewritten");
        return msSince(start);
    };
    const auto timed = [&](const char* what, const std::function<void(vouchers::StoredVoucher&)>& change) {
        std::vector<double> times;
        for (const std::int64_t t : tranNos)
            times.push_back(write(t, change));
        std::sort(times.begin(), times.end());
        char tail[64];
        std::snprintf(tail, sizeof tail, "  (99th percentile %.3f ms over %zu)", percentile99(times), times.size());
        report(what, size, median(times), tail);
    };
    // Edit: a cent more on the first debit and the first credit line, so the voucher still balances.
    timed("saved voucher edited (two amounts), durable", [](vouchers::StoredVoucher& v) {
        bool debit = false, credit = false;
        for (auto& l : v.lines) {
            if (!debit && l.debit && !l.debit->isZero()) {
                *l.debit = *l.debit + Money::fromCents(1);
                debit = true;
            } else if (!credit && l.credit && !l.credit->isZero()) {
                *l.credit = *l.credit + Money::fromCents(1);
                credit = true;
            }
        }
    });
    const auto edited = yearTotals();
    check(edited.debits == before.debits + Money::fromCents(static_cast<std::int64_t>(tranNos.size()))
              && edited.closing.isZero(),
          "the edited vouchers show in the trial balance: debits " + text(edited.debits));
    Money counted;
    for (const std::int64_t t : tranNos)
        counted += accounts::totalsOf(vouchers::loadVoucher(db, journal, t)->lines)->debit;
    timed("saved voucher un-posted, durable", [](vouchers::StoredVoucher& v) { v.posted = false; });
    check(yearTotals().debits == edited.debits - counted, "un-posted vouchers leave the trial balance");
    timed("saved voucher posted, durable", [](vouchers::StoredVoucher& v) { v.posted = true; });
    check(yearTotals().debits == edited.debits, "posted vouchers come back into the trial balance");
    timed("saved voucher cancelled, durable", [](vouchers::StoredVoucher& v) { v.cancelled = true; });
    check(yearTotals().debits == edited.debits - counted, "cancelled vouchers leave the trial balance");
    for (const std::int64_t t : tranNos)
        write(t, [](vouchers::StoredVoucher& v) { v.cancelled = false; });
    check(yearTotals().debits == edited.debits, "vouchers no longer cancelled count again");
}

// Times the layout of the printed account ledger over `lines` lines (the
// year's first lines of the day book, taken as one account's, when the book
// has that many) and checks that every line and the totals reach the pages.
void timeLedgerPrint(platform::Database& db, const bench::GeneratedBook& book, int size, std::size_t lines)
{
    std::vector<ledgers::LedgerLine> rows;
    rows.reserve(lines);
    ledgers::readDayBook(db, 1, book.yearStart, book.yearEnd, [&](const ledgers::DayBookLine& l) {
        if (rows.size() >= lines)
            return;
        ledgers::LedgerLine line;
        line.tranNo = static_cast<std::int32_t>(l.tranNo);
        line.tranDate = l.tranDate;
        line.tranType = l.tranType;
        line.desc = "printed line " + std::to_string(rows.size() + 1);
        line.debit = l.debit;
        line.credit = l.credit;
        rows.push_back(std::move(line));
    });
    const auto totals = ledgers::runBalances(Money{}, rows);
    const auto kinds = ledgers::buildLedger(db, 1, book.busiest, std::nullopt).kinds;
    report::Document doc;
    const auto times = timesOf([&] {
        platform::Recordset data = ledgers::ledgerRows(rows, kinds, book.busiest, 1);
        ledger_reports::AccLedgerSource source;
        source.bizName = QStringLiteral("Timing");
        source.accCode = QString::number(book.busiest);
        source.closing = totals.closing < Money{} ? -totals.closing : totals.closing;
        auto feed = ledger_reports::makeAccLedger(data, source);
        doc = feed->layOut(QDate(2026, 12, 10));
    }, 3);
    report(("ledger print laid out, " + std::to_string(rows.size()) + " lines").c_str(), size, median(times),
           "  (" + std::to_string(doc.pages.size()) + " pages)");
    std::size_t printed = 0;
    bool totalsShown = false;
    const QString debitTotal = platform::formatMoneyQ(totals.totalDebit, "#,##0.00;(#,##0.00)");
    for (const auto& page : doc.pages)
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<report::TextRun>(&item)) {
                printed += t->text.startsWith(QLatin1String("printed line ")) ? 1 : 0;
                totalsShown = totalsShown || t->text == debitTotal;
            }
    check(printed == rows.size(), "the ledger print shows " + std::to_string(printed) + " of its "
                                      + std::to_string(rows.size()) + " lines");
    check(totalsShown, "the ledger print shows the debit total " + debitTotal.toStdString());
}

// The process's resident memory now, in MB.
double residentMb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

std::string targetNote(double ms, double targetMs)
{
    char note[64];
    std::snprintf(note, sizeof note, "  (target %.0f ms: %s)", targetMs, ms <= targetMs ? "met" : "not met");
    return note;
}

// The day book's lines and totals, as a full read finds them.
struct DayBookFigures {
    std::int64_t lines = 0;
    ledgers::DayBookTotals totals;
};
void timeDayBookYearToPdf(const std::string& path, const bench::GeneratedBook& book, int size,
                          const DayBookFigures& want);

// The day book and the multi-ledger print: the lazy list of the year (totals
// and the first screen, a jump to any row), the printed day book of a month
// to its preview and of the year to PDF, the refresh of the stored running
// balances, and the multi-ledger's data and first page. Each is checked
// against a full read of the same lines.
void timeDayBookAndLedgers(platform::Database& db, const bench::GeneratedBook& book, int size, const Options& o)
{
    const QDate monthStart = book.yearStart.addMonths(6);
    const QDate monthEnd = monthStart.addMonths(1).addDays(-1);
    const QDate yearFrom = book.yearStart.addDays(-1);   // the opening-balance voucher's day

    std::vector<ledgers::DayBookLine> full;
    Money fullDr, fullCr;
    ledgers::readDayBook(db, 1, yearFrom, book.yearEnd, [&](const ledgers::DayBookLine& l) {
        full.push_back(l);
        fullDr += l.debit;
        fullCr += l.credit;
    });

    ledgers::DayBookModel model;
    ledgers::DayBookTotals totals;
    const double openMs = median(timesOf([&] {
        totals = model.open(db, 1, yearFrom, book.yearEnd);
        for (int row = 0; row < std::min(40, model.rowCount()); ++row)
            model.data(model.index(row, ledgers::DayBookModel::Debit), Qt::DisplayRole);
    }, o.runs));
    report("day book, year: totals and first screen", size, openMs,
           "  (" + std::to_string(model.rowCount()) + " lines)" + targetNote(openMs, 100));
    check(model.rowCount() == static_cast<int>(full.size()), "day book rows = a full read's lines");
    check(totals.debits == fullDr && totals.credits == fullCr, "day book totals = a full read's sums");

    std::vector<double> jumps;
    bool same = true;
    const int rows = model.rowCount();
    for (int i = 0; i < 25 && rows > 0; ++i) {
        model.open(db, 1, yearFrom, book.yearEnd);   // nothing kept: each jump reads its day
        const int row = i == 0 ? rows - 1 : static_cast<int>((static_cast<std::int64_t>(i) * 7919 * 104729) % rows);
        const auto start = std::chrono::steady_clock::now();
        const ledgers::DayBookLine& l = model.line(row);
        jumps.push_back(msSince(start));
        const auto& want = full[static_cast<std::size_t>(row)];
        same = same && l.serial == want.serial && l.debit == want.debit && l.credit == want.credit;
    }
    if (!jumps.empty()) {
        std::sort(jumps.begin(), jumps.end());
        report("day book, year: jump to any row", size, median(jumps), targetNote(jumps.back(), 30));
    }
    check(same, "day book rows at the start, middle and end = a full read's");
    const auto rowsOfYear = static_cast<std::int64_t>(full.size());

    {
        const double before = residentMb();
        const auto start = std::chrono::steady_clock::now();
        auto month = std::make_shared<const ledgers::DayBookSlices>(db, 1, monthStart, monthEnd);
        const ledger_reports::GJSource source{"Bench", "bench", "Rs", monthStart, monthEnd, month->totals().debits,
                                              month->totals().credits};
        report::Pagination pages(ledger_reports::makeGJ(month, source)->layout(), month, monthEnd);
        while (!pages.countFor(0) && pages.pagesCounted() == 0) {
        }
        const report::Page first = pages.document().pages[0];
        const double firstMs = msSince(start);
        report("day book, month: first page of the print", size, firstMs,
               "  (" + std::to_string(month->lineCount()) + " lines)" + targetNote(firstMs, 1000));
        pages.countFor(std::numeric_limits<int>::max());
        const double allMs = msSince(start);
        char extra[128];
        std::snprintf(extra, sizeof extra, "  (%zu pages, %.0f MB more than before)", pages.pagesCounted(),
                      residentMb() - before);
        report("day book, month: all pages counted", size, allMs, extra + targetNote(allMs, 3000));
        check(!first.items.empty() && pages.pagesCounted() >= 1, "the month's print has pages");
    }
    full = {};   // the reference read is done with
    timeDayBookYearToPdf(db.path(), book, size, DayBookFigures{rowsOfYear, {fullDr, fullCr}});

    // The refresh: the first one writes every counted line, a second one
    // after one new voucher only that voucher's accounts' later lines.
    db.exec("UPDATE SubTransactions SET Balance = NULL, Status = NULL");
    auto start = std::chrono::steady_clock::now();
    const auto first = ledgers::refreshStoredBalances(db, 1);
    const double firstMs = msSince(start);
    report("multi-ledger: refresh, first time", size, firstMs,
           "  (" + std::to_string(first.linesWritten) + " written)" + targetNote(firstMs, 8000));
    // Its amount is its debits, as a voucher form saves it.
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, TrAmount, FYID, Cancel, Posted) VALUES"
            " ((SELECT COALESCE(MAX(DocNo), 0) + 1 FROM Transactions WHERE TranType = 41), ?, 41, 1234, 1, 0, 1)",
            {platform::isoDate(book.yearEnd)});
    const auto tranNo = db.lastInsertId();
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (?, ?, 1234, NULL), (?, ?, NULL, 1234)",
            {tranNo, book.codes.front(), tranNo, book.codes.back()});
    start = std::chrono::steady_clock::now();
    const auto again = ledgers::refreshStoredBalances(db, 1);
    const double againMs = msSince(start);
    report("multi-ledger: refresh after one new voucher", size, againMs,
           "  (" + std::to_string(again.linesWritten) + " written)" + targetNote(againMs, 3000));
    check(again.linesWritten == 2, "the second refresh writes only the new voucher's lines");

    const auto tb = statements::trialBalance(db, 1, book.yearStart, book.yearEnd, statements::AccountSelection::all());
    const std::int64_t typeId = db.scalar("SELECT Level1ID FROM AccLevel3 WHERE AccCode = ?", {book.busiest}).toInt();
    const auto ofTypeSel = ledgers::AccountSelection::mainType(typeId);
    const double fullTypeMs = median(timesOf([&] {
        const platform::Hierarchy rows = ledgers::multiLedgerRows(ledgers::multiLedger(db, 1, ofTypeSel, std::nullopt));
    }, o.runs));
    // What the print reads before its first page: the accounts and the first
    // slice of their ledgers.
    const double typeMs = median(timesOf([&] {
        const ledgers::MultiLedgerSlices slices(db, 1, ofTypeSel, std::nullopt);
        const auto first = slices.slice(0);
    }, o.runs));
    const auto ofType = ledgers::multiLedger(db, 1, ofTypeSel, std::nullopt);
    std::size_t typeLines = 0;
    bool closingsAgree = true;
    for (const auto& l : ofType) {
        typeLines += l.lines.size();
        const auto* row = rowOf(tb, l.accCode);
        closingsAgree = closingsAgree && (row ? row->closing == l.closing : l.closing.isZero());
    }
    report("multi-ledger: print data of one main type, full read", size, fullTypeMs,
           "  (" + std::to_string(ofType.size()) + " accounts, " + std::to_string(typeLines) + " lines)");
    report("multi-ledger: print data of one main type", size, typeMs,
           "  (accounts and the first slice)" + targetNote(typeMs, 100));
    check(closingsAgree, "multi-ledger closings = the trial balance's");
    {
        // The slices, one after another, are the full read.
        const ledgers::MultiLedgerSlices slices(db, 1, ofTypeSel, std::nullopt);
        std::size_t at = 0;
        bool same = slices.accountCount() == ofType.size();
        for (std::size_t i = 0; same && i < slices.sliceCount(); ++i)
            for (const auto& l : slices.ledgers(i)) {
                const auto& want = ofType[at++];
                same = same && l.accCode == want.accCode && l.closing == want.closing
                       && l.lines.size() == want.lines.size()
                       && (l.lines.empty() || (l.lines.back().serial == want.lines.back().serial
                                               && l.lines.back().running == want.lines.back().running));
            }
        check(same && at == ofType.size(), "the multi-ledger slices = a full read");
    }
    const auto busiest = std::find_if(ofType.begin(), ofType.end(), [&](const auto& l) { return l.accCode == book.busiest; });
    check(busiest != ofType.end() && !busiest->lines.empty()
              && db.scalar("SELECT Balance FROM SubTransactions WHERE Serial = ?", {busiest->lines.back().serial}).toInt()
                     == ledgers::balanceOf(busiest->closing).amount.cents(),
          "the stored balance of the busiest account's last line = its closing");

    const double residentBefore = residentMb();
    start = std::chrono::steady_clock::now();
    {
        auto all = std::make_shared<const ledgers::MultiLedgerSlices>(db, 1, ledgers::AccountSelection::all(),
                                                                      std::nullopt);
        report::Pagination pages(ledger_reports::accLedgerMultiLayout(), all, book.yearEnd);
        while (!pages.countFor(0) && pages.pagesCounted() == 0) {
        }
        const report::Page page = pages.document().pages[0];
        const double ms = msSince(start);
        report("multi-ledger: all accounts, first page", size, ms, targetNote(ms, 1000));
        check(!page.items.empty(), "the multi-ledger print has a first page");
        // Counted as the preview counts, a slice of time after another,
        // with the memory in use looked at between them.
        double mostExtra = 0;
        while (!pages.countFor(200))
            mostExtra = std::max(mostExtra, residentMb() - residentBefore);
        const double allMs = msSince(start);
        char extra[128];
        std::snprintf(extra, sizeof extra, "  (%zu pages, at most %.0f MB more than before)", pages.pagesCounted(),
                      mostExtra);
        report("multi-ledger: all accounts, every page counted", size, allMs, extra);
        check(mostExtra < 300, "the multi-ledger print of the year counts its pages in under 300 MB");
    }
}

void timeBook(const std::string& path, const bench::GeneratedBook& book, int size, const Options& o)
{
    platform::Database db = platform::Database::open(path);
    const QDate midMonth = book.yearStart.addMonths(5).addDays(9);   // cuts a month
    const QDate monthStart = book.yearStart.addMonths(6);
    const QDate monthEnd = monthStart.addMonths(1).addDays(-1);

    std::size_t accounts = 0;
    report("sign-in data (the account list)", size,
           median(timesOf([&] { accounts = app::openAccountList(db).recordCount(); }, o.runs)));
    check(accounts == book.codes.size(), "the account list holds every account");

    statements::TrialBalance six;
    report("trial balance, six columns, whole year", size, median(timesOf([&] {
               six = statements::trialBalance(db, 1, book.yearStart, book.yearEnd,
                                              statements::AccountSelection::all());
           }, o.runs)));
    const auto& t = six.totals;
    check(t.opening + t.debits - t.credits == t.closing, "six columns: opening + debits - credits = closing");
    check(t.closing.isZero() && t.opening.isZero(), "six columns: the counted vouchers balance (closing "
                                                        + text(t.closing) + ", opening " + text(t.opening) + ")");
    check(t.debits == t.credits, "six columns: period debits " + text(t.debits) + " = credits " + text(t.credits));

    statements::TrialBalance two;
    std::size_t twoRows = 0;
    report("trial balance, two columns, to mid-month", size, median(timesOf([&] {
               two = statements::trialBalance(db, 1, book.yearStart, midMonth, statements::AccountSelection::all());
               twoRows = static_cast<std::size_t>(std::count_if(two.rows.begin(), two.rows.end(),
                                                                statements::listedInTwoColumns));
           }, o.runs)));
    check(two.totals.twoColumnDebit == two.totals.twoColumnCredit,
          "two columns: debit " + text(two.totals.twoColumnDebit) + " = credit " + text(two.totals.twoColumnCredit));
    check(twoRows > 0, "two columns list some accounts");

    ledgers::Ledger year;
    const double yearMs = median(timesOf([&] { year = ledgers::buildLedger(db, 1, book.busiest, std::nullopt); }, o.runs));
    report("ledger of the busiest account, whole year", size, yearMs, "  (" + std::to_string(year.lines.size()) + " lines)");
    const auto* busiest = rowOf(six, book.busiest);
    check(busiest && busiest->closing == year.totals.closing,
          "whole-year ledger closing " + text(year.totals.closing) + " = trial balance closing "
              + (busiest ? text(busiest->closing) : std::string("(none)")));

    ledgers::Ledger month;
    const double monthMs = median(timesOf([&] {
        month = ledgers::buildLedger(db, 1, book.busiest, ledgers::DateRange{monthStart, monthEnd});
    }, o.runs));
    report("ledger of the busiest account, one month", size, monthMs,
           "  (" + std::to_string(month.lines.size()) + " lines)");
    const auto toMonthEnd = statements::trialBalance(db, 1, book.yearStart, monthEnd,
                                                     statements::AccountSelection::range(book.busiest, book.busiest));
    const auto* atMonthEnd = rowOf(toMonthEnd, book.busiest);
    check(atMonthEnd && atMonthEnd->closing == month.totals.closing,
          "one-month ledger closing " + text(month.totals.closing) + " = trial balance closing at the month's end");

    const vouchers::KindYear journal{41, 1};
    std::int64_t next = 0;
    report("next document number", size, median(timesOf([&] {
               for (int i = 0; i < 100; ++i)
                   next = vouchers::highestDocNo(db, journal).value_or(0) + 1;
           }, o.runs)) / 100);
    check(next > 1 || size < 1000, "the next journal voucher number follows the generated ones");

    for (const auto& [label, from, to] : {std::tuple{"day book query, one month", monthStart, monthEnd},
                                          std::tuple{"day book query, whole year", book.yearStart, book.yearEnd}}) {
        Money debits, credits;
        std::size_t lines = 0;
        const double ms = median(timesOf([&, from = from, to = to] {
            debits = credits = Money{};
            lines = 0;
            ledgers::readDayBook(db, 1, from, to, [&](const ledgers::DayBookLine& l) {
                debits += l.debit;
                credits += l.credit;
                ++lines;
            });
        }, o.runs));
        report(label, size, ms, "  (" + std::to_string(lines) + " lines)");
        check(debits == credits, std::string(label) + ": every listed voucher balances");
    }

    timeVoucherSearch(db, size, o);
    timeJobLedger(db, book, size, o);
    // The cross-checks read the book as generated: the journal holds no later save.
    checkEveryAccountAgainstItsLedger(db, book, size);
    if (!o.journals.empty())
        compareWithTools(db, book, (fs::path(o.journals) / ("book-" + std::to_string(size) + ".journal")).string());
    timeLedgerPrint(db, book, size, 100'000);
    timeColdStart(db, o.self, path, book, size, o.runs);

    // Saves last: they add to the book the checks above read.
    std::vector<double> saves;
    const QDateTime when(monthStart, QTime(11, 0));
    for (int i = 0; i < o.saves; ++i) {
        std::vector<accounts::SubTranRow> lines;
        for (int k = 0; k < 4; ++k) {
            accounts::SubTranRow row;
            row.accCode = book.codes[static_cast<std::size_t>(i * 4 + k) * 7919 % book.codes.size()];
            row.accName = QStringLiteral("Generated account");
            row.desc = QStringLiteral("Saved by the timing run");
            (k % 2 == 0 ? row.debit : row.credit) = Money::fromCents(1000 + i);
            lines.push_back(row);
        }
        const auto start = std::chrono::steady_clock::now();
        vouchers::VoucherHeader header;
        header.docNo = vouchers::highestDocNo(db, journal).value_or(0) + 1;
        header.date = monthStart;
        header.desc = "Timing";
        header.amount = Money::fromCents(2 * (1000 + i));
        header.words = "Timing only.";
        header.user = 1;
        header.when = when;
        header.posted = true;
        platform::Transaction tx(db);
        vouchers::insertVoucher(tx, journal, header, lines);
        tx.commit();
        saves.push_back(msSince(start));
    }
    if (!saves.empty()) {
        std::sort(saves.begin(), saves.end());
        char tail[64];
        std::snprintf(tail, sizeof tail, "  (99th percentile %.3f ms over %zu)", percentile99(saves), saves.size());
        report("voucher save of 4 lines, durable", size, median(saves), tail);
    }
    const auto after = statements::trialBalance(db, 1, book.yearStart, book.yearEnd,
                                                statements::AccountSelection::all());
    check(after.totals.closing.isZero() && after.totals.debits == six.totals.debits + Money::fromCents(
              [&] { std::int64_t s = 0; for (int i = 0; i < o.saves; ++i) s += 2 * (1000 + i); return s; }()),
          "the saved vouchers show in the trial balance");

    timeVoucherChanges(db, book, size, std::max(o.saves, 1));

    const std::string copy = path + ".backup";
    report("online backup of the database file", size, median(timesOf([&] {
               fs::remove(copy);
               db.backupTo(copy);
           }, std::min(o.runs, 3))));
    std::string integrity;
    report("integrity check", size, median(timesOf([&] { integrity = db.integrityCheck(); }, std::min(o.runs, 3))));
    check(integrity == "ok", "integrity check: " + integrity);
    {
        platform::Database back = platform::Database::open(copy);
        check(back.scalar("SELECT COUNT(*) FROM SubTransactions").toInt() ==
                  db.scalar("SELECT COUNT(*) FROM SubTransactions").toInt(),
              "the backup holds every line");
    }
    fs::remove(copy);

    timeDayBookAndLedgers(db, book, size, o);
}

// The back-up program on the same book: a back-up (online copy, checked and
// renamed), a restore of it (checks, safety copy and the rename included) and
// the main program's shared lock at start. The book is copied into a working
// folder of its own as DB/tamselstd.MDB, where both programs look for it.
void timeBackUpProgram(const std::string& path, int size, const Options& o)
{
    const fs::path root = fs::path(path).parent_path() / ("stowkeep-" + std::to_string(size));
    fs::remove_all(root);
    fs::create_directories(root / "DB");
    const backup::BookFiles files(root);
    std::int64_t lines = 0;
    {
        platform::Database source = platform::Database::open(path);
        source.backupTo(files.book.string());
        lines = source.scalar("SELECT COUNT(*) FROM SubTransactions").toInt();
    }
    const fs::path saved = root / "saved.mdb";
    const auto linesIn = [](const fs::path& file) {
        return platform::Database::open(file.string()).scalar("SELECT COUNT(*) FROM SubTransactions").toInt();
    };

    // The back-up and the compaction check the whole book first (the full
    // integrity check and the references), so their targets are that check
    // plus the copying: 2 s for the back-up's one compacted copy, 5 s for the
    // compaction's compacted safety copy and its rebuild in place through the
    // journal. The restore checks the file and then builds and checks a new
    // book: 15 s in all.
    double checkMs = 0;
    {
        platform::Database book = platform::Database::open(files.book.string());
        const auto start = std::chrono::steady_clock::now();
        check(book.integrityCheck() == "ok", "the Stowkeep book passes its integrity check");
        check(book.foreignKeyCheck().empty(), "the Stowkeep book's references hold");
        checkMs = msSince(start);
    }
    backup::Failure failure;
    const double backUpMs = median(timesOf([&] { failure = backup::backUp(files, saved); }, std::min(o.runs, 3)));
    report("Stowkeep back-up, check included", size, backUpMs, targetNote(backUpMs, checkMs + 2000));
    check(!failure, "Stowkeep back-up: " + failure.value_or(""));
    check(linesIn(saved) == lines, "the Stowkeep back-up holds every line");

    // Each restore or compaction leaves a safety copy as large as the book; it
    // is removed between runs, outside the time.
    const auto underLock = [&](const std::function<backup::Failure(const platform::FileLock&, const std::string&)>& action,
                               const char* what) {
        std::vector<double> times;
        for (int run = 0; run < std::min(o.runs, 3); ++run) {
            const std::string stamp = "bench " + std::to_string(run);
            const auto start = std::chrono::steady_clock::now();
            platform::FileLock lock;
            failure = backup::lockForChange(files, lock, 0);
            if (!failure)
                failure = action(lock, stamp);
            times.push_back(msSince(start));
            check(!failure, std::string(what) + ": " + failure.value_or(""));
            fs::remove(files.folder / backup::safetyCopyName(stamp, 1));
        }
        return median(times);
    };
    const double restoreMs = underLock([&](const platform::FileLock& lock, const std::string& stamp) {
        return backup::restore(files, lock, saved, stamp, db::schemaUpgrades());
    }, "Stowkeep restore");
    report("Stowkeep restore, checks included", size, restoreMs, targetNote(restoreMs, 15000));
    check(linesIn(files.book) == lines, "the restored book holds every line");
    {
        platform::Database restored = platform::Database::open(files.book.string());
        auto objects = db::storedObjects(restored);
        auto fresh = db::currentStoredObjects();
        const auto byName = [](const db::StoredObject& a, const db::StoredObject& b) { return a.name < b.name; };
        std::sort(objects.begin(), objects.end(), byName);
        std::sort(fresh.begin(), fresh.end(), byName);
        check(objects == fresh, "the restored book has the layout of a new one");
    }

    // The full check, a compacted safety copy and the rebuild in place.
    const double compactMs = underLock([&](const platform::FileLock& lock, const std::string& stamp) {
        return backup::compact(files, lock, stamp);
    }, "Stowkeep compaction");
    report("Stowkeep compaction, check included", size, compactMs, targetNote(compactMs, checkMs + 5000));
    check(linesIn(files.book) == lines, "the compacted book holds every line");

    std::vector<double> locks;
    for (int run = 0; run < 1000; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const auto held = app::lockBookForRun(QString::fromStdString(files.book.string()));
        locks.push_back(msSince(start));
        check(held && held->held(), "the main program's lock is taken");
    }
    std::sort(locks.begin(), locks.end());
    report("main program start: the book's shared lock", size, median(locks));
    fs::remove_all(root);
}

// The trial-balance print and the two statements: the print's rows from a
// fresh run of the balances, its layout over every account, and each
// statement's figures (the balance sheet's with TempBS written). Checks that
// the printed totals agree with the run, that the sheet balances and that its
// profit is the income statement's net.
void timeStatements(const std::string& path, const bench::GeneratedBook& book, int size, const Options& o)
{
    if (!QGuiApplication::instance()) {
        // Laying a report out measures its texts: that needs a GUI application,
        // which needs no screen on the offscreen platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "book_bench";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    platform::Database db = platform::Database::open(path);
    const auto all = statements::AccountSelection::all();

    statements::BalancePrint print;
    statements::TrialBalance run;
    const double printDataMs = median(timesOf([&] {
        run = statements::trialBalance(db, 1, book.yearStart, book.yearEnd, all);
        print = statements::groupedBalancePrint(run, statements::chartGroups(db), all, statements::PrintColumns::Six);
    }, o.runs));
    report("trial-balance print data, 6 columns grouped", size, printDataMs, targetNote(printDataMs, 150));
    check(print.totals == run.totals, "the grouped print holds every account of the run");
    check(print.rows.rows(2).recordCount() == run.rows.size(), "the grouped print lists every account once");

    statement_reports::AccBalSource source;
    source.bizName = "Bench";
    source.from = book.yearStart;
    source.to = book.yearEnd;
    std::size_t pages = 0;
    report::Document doc;
    const double layoutMs = median(timesOf([&] {
               statement_reports::AccBalSource s = source;
               s.openingText = QString::fromStdString(statements::balanceTotalText(print.totals.opening));
               s.closingText = QString::fromStdString(statements::balanceTotalText(print.totals.closing));
               platform::Hierarchy rows = print.rows;   // the report closes its rows when it ends
               doc = statement_reports::AccBalRpt(rows, s)->layOut(QDate::fromString(kToday, Qt::ISODate));
               pages = doc.pages.size();
           }, std::min(o.runs, 3)));
    report("trial-balance print laid out, every page", size, layoutMs,
           "  (" + std::to_string(pages) + " pages; every page within the first page's target)"
               + targetNote(layoutMs, 1000));
    check(pages > run.rows.size() / 60, "the print has a page for every few dozen accounts");

    const statements::StatementPeriod toToday{std::nullopt, QDate::fromString(kToday, Qt::ISODate)};
    std::vector<statements::MainTypeFigure> income;
    const double incomeMs = median(timesOf([&] {
        income = statements::mainTypeFigures(db, 1, toToday);
        statements::incomeStatementRows(db, income);
    }, o.runs));
    report("income statement figures, to date", size, incomeMs, targetNote(incomeMs, 50));

    std::vector<statements::TempBSRow> sheetRows;
    const double sheetMs = median(timesOf([&] {
        sheetRows = statements::balanceSheetRows(statements::mainTypeFigures(db, 1, toToday));
    }, o.runs));
    report("balance sheet figures, to date", size, sheetMs, targetNote(sheetMs, 50));
    Money assets, equity;
    report("balance sheet's TempBS written and read back", size, median(timesOf([&] {
               platform::Transaction tx(db);
               statements::writeTempBS(tx, sheetRows);
               tx.commit();
               const platform::Hierarchy sheet = statements::balanceSheetReportRows(db);
               assets = equity = Money{};
               for (const auto side : sheet.topRows())
                   for (const auto nature : sheet.childRows(0, side))
                       for (const auto row : sheet.childRows(1, nature))
                           (sheet.value(0, side, 0).toInt() == 1 ? assets : equity) +=
                               Money::fromCents(sheet.value(2, row, sheet.columnIndex(2, "Balance")).toInt());
           }, o.runs)));
    check(assets == equity, "the balance sheet balances: assets " + text(assets) + ", equity and liabilities "
                                + text(equity));
    check(db.scalar("SELECT Balance FROM TempBS WHERE TypeID = 9999").toInt()
              == statements::periodProfit(income).cents(),
          "the balance sheet's profit is the income statement's net");
}

// --- spreadsheet exports -------------------------------------------------

// This thread's processor time in milliseconds: the export's own work, not the
// time a busy machine keeps it waiting.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A line of /proc/self/status ("VmHWM", "VmRSS") in megabytes; -1 when unknown.
double statusMb(const char* key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(std::string(key) + ":", 0) == 0)
            return std::atof(line.c_str() + std::strlen(key) + 1) / 1024.0;
    return -1;
}

// Resets the process's peak resident size to its current one, so that the
// peak after a piece of work is that work's own. False where the system does
// not allow it.
bool resetPeakMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

// Runs `work` on `m` in a child process of its own whose free heap is given
// back and whose peak memory is reset first, so that the peak it reaches is the work's own and this process's peak,
// which the other lines report, stays as it is. The child hands `m` back
// (plain data only) with the memory the work added in MB, -1 where the peak
// cannot be reset. False when the child could not be started or did not report.
template <class Measured>
bool inChildProcess(Measured& m, double& grownMb, const std::function<void(Measured&)>& work)
{
    struct Sent {
        Measured m;
        double grown = -1;
    } sent{m, -1};
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        // The heap this process freed goes back to the system first, so the
        // work's memory is its own, not room left over from earlier work.
        malloc_trim(0);
        const bool peakReset = resetPeakMemory();
        const double before = statusMb("VmRSS");
        work(sent.m);
        sent.grown = peakReset ? statusMb("VmHWM") - before : -1;
        const bool ok = write(channel[1], &sent, sizeof sent) == static_cast<ssize_t>(sizeof sent);
        _exit(ok ? 0 : 1);
    }
    close(channel[1]);
    const bool received = child > 0 && read(channel[0], &sent, sizeof sent) == static_cast<ssize_t>(sizeof sent);
    close(channel[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    m = sent.m;
    grownMb = sent.grown;
    return received;
}

// The printed day book of the year written to PDF, as the preview's Save PDF
// writes it, in a child process of its own with a connection of its own. What
// the print adds is its anonymous memory (the heap), sampled while it runs:
// reading the year through the connection's memory map also brings the book's
// file pages into the resident size, as any read of the year's lines does, and
// those are the system's file cache, shared and given back under pressure, so
// they are reported beside it. The heap must stay under 100 MB whatever the
// period, since the print reads its lines a slice at a time; its lines and
// totals must be a full read's.
void timeDayBookYearToPdf(const std::string& path, const bench::GeneratedBook& book, int size,
                          const DayBookFigures& want)
{
    const QDate from = book.yearStart.addDays(-1);   // the opening-balance voucher's day
    const std::string pdf = (fs::temp_directory_path() / ("day_book_" + std::to_string(::getpid()) + ".pdf")).string();
    struct Measured {
        double ms = 0, heapMb = -1;
        std::size_t pages = 0;
        std::int64_t lines = 0, debits = 0, credits = 0;
        bool written = false;
    } m;
    double grown = -1;
    const bool received = inChildProcess<Measured>(m, grown, [&](Measured& r) {
        const double heapBefore = statusMb("RssAnon");
        std::atomic<bool> done{false};
        double heapMost = heapBefore;
        std::thread sampler([&] {
            while (!done) {
                heapMost = std::max(heapMost, statusMb("RssAnon"));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        const auto start = std::chrono::steady_clock::now();
        {
            platform::Database db = platform::Database::open(path);
            auto year = std::make_shared<const ledgers::DayBookSlices>(db, 1, from, book.yearEnd);
            const ledger_reports::GJSource source{"Bench", "bench", "Rs", from, book.yearEnd, year->totals().debits,
                                                  year->totals().credits};
            const report::Document doc = ledger_reports::makeGJ(year, source)->layOut(book.yearEnd);
            r.pages = doc.pages.size();
            r.written = report::writePdf(doc, QString::fromStdString(pdf));
            r.lines = year->lineCount();
            r.debits = year->totals().debits.cents();
            r.credits = year->totals().credits.cents();
        }
        r.ms = msSince(start);
        done = true;
        sampler.join();
        r.heapMb = heapBefore < 0 ? -1 : heapMost - heapBefore;
    });
    check(received, "the day book print's child process reports its figures");
    std::error_code gone;
    const auto bytes = fs::file_size(pdf, gone);
    char extra[160];
    std::snprintf(extra, sizeof extra, "  (%zu pages, %.0f MB file, %.1f MB of its own, %.0f MB with the book's pages)",
                  m.pages, gone ? 0.0 : static_cast<double>(bytes) / 1048576.0, m.heapMb, grown);
    report("day book, year: print to PDF", size, m.ms, extra);
    check(m.written && !gone, "the year's day book is written to PDF");
    check(m.lines == want.lines && m.debits == want.totals.debits.cents() && m.credits == want.totals.credits.cents(),
          "the year's day book print holds a full read's " + std::to_string(want.lines) + " lines and totals ("
              + std::to_string(m.lines) + " lines)");
    check(m.heapMb >= 0 && m.heapMb < 100, "the year's day book prints in under 100 MB of its own ("
                                              + std::to_string(m.heapMb) + " MB)");
    fs::remove(pdf, gone);
}

// Writes `table` to `path` as the export does; returns the file's size.
std::uintmax_t writeSheet(const std::string& path, const std::string& folder, const sheet::Table& table)
{
    sheet::XlsxFile file(QString::fromStdString(path), QString::fromStdString(folder));
    sheet::writeTable(file, table);
    file.close();
    return fs::file_size(path);
}

// Times the trial balance's export of every account (a user waits under 1 s at
// 5,000 accounts), a ledger of 100,000 lines (under 5 s, under 100 MB of
// memory of its own) and the busiest account's ledger as the book holds it.
void timeExports(const std::string& path, const bench::GeneratedBook& book, int size, const Options& o)
{
    platform::Database db = platform::Database::open(path);
    const std::string folder = fs::path(path).parent_path().string();
    const std::string out = (fs::path(folder) / "export-bench.xlsx").string();

    const auto tb = statements::trialBalance(db, 1, book.yearStart, book.yearEnd, statements::AccountSelection::all());
    std::uintmax_t bytes = 0;
    double tbCpu = 0;
    const double tbMs = median(timesOf([&] {
        const double start = cpuMs();
        bytes = writeSheet(out, folder, statements::sixColumnTable(tb.rows, book.yearStart, book.yearEnd));
        tbCpu = cpuMs() - start;
    }, o.runs));
    report("trial balance export, six columns", size, tbMs,
           "  (" + std::to_string(tb.rows.size()) + " accounts, " + std::to_string(bytes / 1024) + " KB)");
    check(bytes > tb.rows.size() * 20, "the trial balance's workbook holds its rows");
    check(tb.rows.size() < 5000 || tbCpu < 1000,
          "the trial balance of " + std::to_string(tb.rows.size()) + " accounts exports in under 1 s ("
              + std::to_string(tbCpu) + " ms of processor time)");

    // A ledger of 100,000 lines, as a window would hold it after its build.
    constexpr int kLines = 100'000;
    std::vector<ledgers::LedgerLine> lines(kLines);
    for (int i = 0; i < kLines; ++i) {
        auto& l = lines[static_cast<std::size_t>(i)];
        l.tranNo = i + 1;
        l.tranDate = platform::isoDate(book.yearStart.addDays(i * 365 / kLines));
        l.tranType = 41;
        l.docNo = i + 1;
        l.desc = "Generated ledger line " + std::to_string(i) + " for the export timing";
        (i % 3 == 0 ? l.credit : l.debit) = Money::fromCents(1000 + i % 977);
        l.serial = i + 1;
    }
    const ledgers::LedgerTotals totals = ledgers::runBalances(Money{}, lines);
    const ledgers::KindNames kinds{{41, {"Journal Voucher", "JV"}}};
    ledgers::LedgerSheet big{QStringLiteral("Generated account"), std::nullopt, book.yearEnd, std::nullopt,
                             lines, &kinds, totals};
    struct Measured {
        double ms = 0, cpu = 0;
        std::uintmax_t bytes = 0;
    } m;
    double grown = -1;
    const bool received = inChildProcess<Measured>(m, grown, [&](Measured& r) {
        r.ms = median(timesOf([&] {
            const double start = cpuMs();
            r.bytes = writeSheet(out, folder, ledgers::ledgerTable(big));
            r.cpu = cpuMs() - start;
        }, std::min(o.runs, 3)));
    });
    check(received, "the ledger export's child process reports its figures");
    const double ledgerMs = m.ms, ledgerCpu = m.cpu;
    const bool peakReset = grown >= 0;
    bytes = m.bytes;
    char tail[128];
    std::snprintf(tail, sizeof tail, "  (%d lines, %ju KB, %.1f MB of its own)", kLines, bytes / 1024, grown);
    report("ledger export of 100,000 lines", size, ledgerMs, tail);
    check(bytes > static_cast<std::uintmax_t>(kLines) * 20, "the ledger's workbook holds its lines");
    check(ledgerCpu < 5000, "a ledger of 100,000 lines exports in under 5 s (" + std::to_string(ledgerCpu)
                                + " ms of processor time)");
    check(!peakReset || grown < 100, "a ledger of 100,000 lines exports in under 100 MB (" + std::to_string(grown)
                                         + " MB)");

    const auto busiest = ledgers::buildLedger(db, 1, book.busiest, std::nullopt);
    ledgers::LedgerSheet real{QStringLiteral("Busiest account"), std::nullopt, book.yearEnd, std::nullopt,
                              busiest.lines, &busiest.kinds, busiest.totals};
    report("ledger export of the busiest account", size,
           median(timesOf([&] { bytes = writeSheet(out, folder, ledgers::ledgerTable(real)); }, std::min(o.runs, 3))),
           "  (" + std::to_string(busiest.lines.size()) + " lines)");
    fs::remove(out);
}

bool readOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--sizes") {
            o.sizes.clear();
            std::stringstream list(value);
            for (std::string item; std::getline(list, item, ',');)
                o.sizes.push_back(std::atoi(item.c_str()));
        } else if (key == "--accounts") o.accounts = std::atoi(value.c_str());
        else if (key == "--runs") o.runs = std::atoi(value.c_str());
        else if (key == "--saves") o.saves = std::atoi(value.c_str());
        else if (key == "--journals") o.journals = value;
        else if (key == "--keep") o.keep = value;
        else return false;
    }
    const bool sizesOk = !o.sizes.empty() && std::all_of(o.sizes.begin(), o.sizes.end(), [](int s) { return s >= 100; });
    return argc % 2 == 1 && sizesOk && o.accounts >= static_cast<int>(kSubTypes) && o.runs > 0 && o.saves >= 0;
}

// The month and day totals, and the lines' copies, that disagree with a fresh
// sum of the lines: rows where the stored and the worked-out totals differ (a
// stored row that came to zero may stay), and lines whose copies are stale.
std::int64_t totalsOutOfStep(platform::Database& db)
{
    const std::int64_t months = db.scalar(
        "WITH expected AS (SELECT t.FYID, s.AccCode, substr(t.TranDate, 1, 7) AS Month,"
        "  SUM(COALESCE(s.Debit, 0)) AS Debits, SUM(COALESCE(s.Credit, 0)) AS Credits"
        "  FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
        "  WHERE t.Cancel = 0 AND t.Posted = 1 GROUP BY 1, 2, 3)"
        " SELECT COUNT(*) FROM (SELECT * FROM expected EXCEPT SELECT * FROM AccountMonths"
        "  UNION ALL SELECT * FROM (SELECT * FROM AccountMonths WHERE Debits <> 0 OR Credits <> 0"
        "   EXCEPT SELECT * FROM expected))").toInt();
    const std::int64_t days = db.scalar(
        "WITH expected AS (SELECT t.FYID, t.TranDate AS Day, COUNT(*) AS Lines,"
        "  SUM(COALESCE(s.Debit, 0)) AS Debits, SUM(COALESCE(s.Credit, 0)) AS Credits"
        "  FROM Transactions t JOIN TranType k ON k.TranType = t.TranType JOIN SubTransactions s ON s.TranNo = t.TranNo"
        "  WHERE t.Cancel = 0 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0) GROUP BY 1, 2)"
        " SELECT COUNT(*) FROM (SELECT * FROM expected EXCEPT SELECT * FROM DayBookDays"
        "  UNION ALL SELECT * FROM (SELECT * FROM DayBookDays WHERE Lines <> 0 OR Debits <> 0 OR Credits <> 0"
        "   EXCEPT SELECT * FROM expected))").toInt();
    const std::int64_t copies = db.scalar(
        "SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
        " WHERE s.VoucherYear IS NOT t.FYID OR s.VoucherDate IS NOT t.TranDate"
        " OR s.Counted <> (t.Cancel = 0 AND t.Posted = 1)").toInt();
    return months + days + copies;
}

// The child's part of the writes of many lines at once, on `path`, a copy of a
// book of `size` lines, in a fresh process: a process that has not yet freed a
// large block has the C library's default for handing memory back to the
// system, as the program has when it starts. Each write is one durable
// transaction: 50,000 lines through the program's voucher save (500 vouchers of
// 100 lines) and through one INSERT ... SELECT, then a voucher of 300 lines saved
// on its own; afterwards the month and day totals and the lines' copies must
// equal a fresh sum of the lines. Prints its report lines; returns 1 when a
// check failed.
int bulkWrites(const std::string& path, int size, int runs)
{
    constexpr int kVouchers = 500;
    constexpr int kLinesEach = 100;
    platform::Database db = platform::Database::open(path);
    std::vector<std::int64_t> codes;
    {
        platform::Statement all(db, "SELECT AccCode FROM AccLevel3 ORDER BY AccCode");
        while (all.step())
            codes.push_back(all.columnInt64(0));
    }
    const QDate yearStart = *platform::parseIsoDate(
        db.scalar("SELECT FinancialYearStart FROM FinancialYear WHERE FYID = 1").toText());
    const vouchers::KindYear journal{41, 1};
    const QDateTime when(yearStart.addMonths(3), QTime(15, 0));
    const auto header = [&](int i) {
        vouchers::VoucherHeader h;
        h.docNo = vouchers::highestDocNo(db, journal).value_or(0) + 1;
        h.date = yearStart.addDays(i % 365);
        h.desc = "Bulk timing";
        h.words = "Timing only.";
        h.user = 1;
        h.when = when;
        h.posted = i % 20 != 0;
        return h;
    };
    // Balanced lines: each debit is followed by a credit of the same amount.
    const auto linesOf = [&](int voucher, int count, Money& total) {
        std::vector<accounts::SubTranRow> lines;
        for (int k = 0; k < count; ++k) {
            accounts::SubTranRow row;
            row.accCode = codes[static_cast<std::size_t>(voucher * count + k) * 7919 % codes.size()];
            row.accName = QStringLiteral("Generated account");
            row.desc = QStringLiteral("Saved by the bulk timing");
            const Money amount = Money::fromCents(100 + (voucher * count + k - k % 2) % 9000);
            (k % 2 == 0 ? row.debit : row.credit) = amount;
            if (k % 2 == 0)
                total += amount;
            lines.push_back(row);
        }
        return lines;
    };
    int written = 0;
    report("write of 50,000 lines, 500 voucher saves", size, median(timesOf([&] {
               platform::Transaction tx(db);
               for (int v = 0; v < kVouchers; ++v, ++written) {
                   Money total;
                   auto lines = linesOf(written, kLinesEach, total);
                   auto h = header(written);
                   h.amount = total;
                   vouchers::insertVoucher(tx, journal, h, lines);
               }
               tx.commit();
           }, runs)), "  (a fresh process)");
    check(totalsOutOfStep(db) == 0, "the month and day totals after 500 voucher saves equal a fresh sum");

    // The 500 headers in a statement of their own, then the lines in one.
    platform::Statement headers(db,
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ? - 1)"
        " INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID,"
        " UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
        " SELECT ? + i, date(?, '+' || (i % 365) || ' days'), 'Bulk timing', 41, 0, 'Timing only.', 0, 1,"
        " 1, '', 1, '', i % 50 = 1, i % 20 <> 0 FROM n");
    platform::Statement lines(db,
        "WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < ? - 1),"
        " codes(AccCode, n) AS (SELECT AccCode, ROW_NUMBER() OVER (ORDER BY AccCode) - 1 FROM AccLevel3)"
        " INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
        " SELECT t.TranNo, c.AccCode, 'Generated account', 'Written in one statement',"
        "  CASE WHEN k.j % 2 = 0 THEN 100 + (t.DocNo * 100 + k.j) % 9000 END,"
        "  CASE WHEN k.j % 2 = 1 THEN 100 + (t.DocNo * 100 + k.j - 1) % 9000 END"
        " FROM Transactions t CROSS JOIN k JOIN codes c ON c.n = (t.DocNo * 100 + k.j) * 7919 % ?"
        " WHERE t.TranType = 41 AND t.FYID = 1 AND t.DocNo >= ?");
    report("write of 50,000 lines, one INSERT ... SELECT", size, median(timesOf([&] {
               const std::int64_t first = vouchers::highestDocNo(db, journal).value_or(0) + 1;
               platform::Transaction tx(db);
               headers.reset();
               headers.bindAll({kVouchers, first, platform::isoDate(yearStart)}).run();
               lines.reset();
               lines.bindAll({kLinesEach, static_cast<std::int64_t>(codes.size()), first}).run();
               tx.commit();
           }, runs)), "  (a fresh process)");
    check(totalsOutOfStep(db) == 0, "the month and day totals after one INSERT ... SELECT equal a fresh sum");

    std::vector<double> saves;
    for (int i = 0; i <= runs; ++i, ++written) {
        Money total;
        auto rows = linesOf(written, 300, total);
        auto h = header(written);
        h.amount = total;
        const auto start = std::chrono::steady_clock::now();
        platform::Transaction tx(db);
        vouchers::insertVoucher(tx, journal, h, rows);
        tx.commit();
        saves.push_back(msSince(start));
    }
    std::sort(saves.begin(), saves.end());
    report("voucher save of 300 lines, durable", size, median(saves), "  (a fresh process)");
    check(totalsOutOfStep(db) == 0, "the month and day totals after the 300-line saves equal a fresh sum");
    return g_failures == 0 ? 0 : 1;
}

// Runs bulkWrites in a fresh process on a copy of the book, which it removes
// again, and passes its lines on.
void timeBulkWrites(const std::string& self, const std::string& path, int size, const Options& o)
{
    const std::string copy = path + ".bulk";
    fs::remove(copy);
    fs::copy_file(path, copy);
    const std::string command = "'" + self + "' --bulk-writes '" + copy + "' " + std::to_string(size) + " "
                                + std::to_string(std::min(o.runs, 3));
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
        std::fputs(buffer, stdout);
        std::fflush(stdout);
    }
    check(pipe && ::pclose(pipe) == 0, "the writes of many lines ran and passed their checks");
    fs::remove(copy);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--cold-start")
        return coldStart(argc, argv, argv[2], argv[3], argv[4]);
    if (argc == 5 && std::string(argv[1]) == "--bulk-writes")
        return bulkWrites(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    // The print layouts measure their texts with fonts, which need an application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options o;
    o.self = fs::absolute(fs::path(argv[0])).string();
    if (!readOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: book_bench [--sizes N,N,...] [--accounts N>=%zu] [--runs N] [--saves N]"
                             " [--journals DIR] [--keep DIR]\n", kSubTypes);
        return 2;
    }
    const fs::path folder = o.keep.empty()
        ? fs::temp_directory_path() / ("book_bench_" + std::to_string(::getpid()))
        : fs::path(o.keep);
    fs::create_directories(folder);
    if (!o.journals.empty())
        fs::create_directories(o.journals);
    std::printf("%-44s %15s %13s %13s\n", "operation", "size", "median", "memory");
    try {
        for (const int size : o.sizes) {
            const std::string path = (folder / ("book-" + std::to_string(size) + ".db")).string();
            fs::remove(path);
            db::writeDeliveredFile(path, kToday, std::string(kToday) + " 09:00:00");
            bench::GeneratedBook book;
            const auto start = std::chrono::steady_clock::now();
            {
                platform::Database db = platform::Database::open(path);
                std::ofstream journal;
                if (!o.journals.empty())
                    journal.open(fs::path(o.journals) / ("book-" + std::to_string(size) + ".journal"));
                book = bench::generateBook(db, {o.accounts, size, 20261210}, journal.is_open() ? &journal : nullptr);
            }
            std::printf("# book of %d accounts, %d vouchers, %d lines written in %.1f s; busiest account %lld\n",
                        o.accounts, book.vouchers, book.lines, msSince(start) / 1000,
                        static_cast<long long>(book.busiest));
            timeBook(path, book, size, o);
            timeBackUpProgram(path, size, o);
            timeStatements(path, book, size, o);
            timeExports(path, book, size, o);
            timeBulkWrites(o.self, path, size, o);
        }
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "database error: %s\n%s\n", e.message().c_str(), e.sql().c_str());
        ++g_failures;
    }
    if (o.keep.empty())
        fs::remove_all(folder);
    if (g_failures > 0) {
        std::fprintf(stderr, "%d self-check(s) FAILED\n", g_failures);
        return 1;
    }
    std::printf("# every self-check passed\n");
    return 0;
}
