// Times what a user waits for on generated books of several sizes: the sign-in
// data, the trial balance, the busiest account's ledger, a voucher save, the
// next document number, the day book's query, an online backup and an
// integrity check. Prints one line per operation and size with the median time
// and the process's peak memory, and checks its own answers (the trial
// balance's totals agree, the ledger's closing equals the trial balance's),
// failing with exit code 1 when they do not. The day book's lazy list and its
// print, and the multi-ledger print's refresh and data, are timed at the end
// (timeDayBookAndLedgers), each against a full read of the same lines.
//
// Usage: book_bench [--sizes 10000,100000,1000000] [--accounts N] [--runs N]
//                   [--saves N] [--journals DIR] [--keep DIR]
//   --journals DIR  also writes each book as DIR/book-<size>.journal
//   --keep DIR      keeps each book as DIR/book-<size>.db (else a temporary folder)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QDate>
#include <QGuiApplication>

#include "bench/generated_book.h"
#include "db/delivered.h"
#include "ledgers/day_book_model.h"
#include "ledgers/day_book_store.h"
#include "ledgers/multi_ledger_store.h"
#include "ledgers/balance.h"
#include "ledgers/ledger_store.h"
#include "main/login_store.h"
#include "platform/data/database.h"
#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"
#include "platform/report/engine.h"
#include "platform/report/render.h"
#include "platform/text/formats.h"
#include "reports/ledgers/acc_ledger_multi.h"
#include "reports/ledgers/gj.h"
#include "statements/trial_balance_store.h"
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
    std::snprintf(note, sizeof note, "  (target %.0f ms: %s)", targetMs, ms <= targetMs ? "met" : "MISSED");
    return note;
}

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

    {
        const double before = residentMb();
        const auto start = std::chrono::steady_clock::now();
        platform::Recordset month = ledgers::dayBookRows(db, 1, monthStart, monthEnd);
        report::Pagination pages(ledger_reports::gjLayout(), platform::Hierarchy::flat(month), monthEnd);
        while (!pages.countFor(0) && pages.pagesCounted() == 0) {
        }
        const report::Page first = pages.document().pages[0];
        const double firstMs = msSince(start);
        report("day book, month: first page of the print", size, firstMs,
               "  (" + std::to_string(month.recordCount()) + " lines)" + targetNote(firstMs, 1000));
        pages.countFor(std::numeric_limits<int>::max());
        const double allMs = msSince(start);
        char extra[128];
        std::snprintf(extra, sizeof extra, "  (%zu pages, %.0f MB more than before)", pages.pagesCounted(),
                      residentMb() - before);
        report("day book, month: all pages counted", size, allMs, extra + targetNote(allMs, 3000));
        check(!first.items.empty() && pages.pagesCounted() >= 1, "the month's print has pages");
    }
    full = {};   // the reference read is done with: the print's memory is its own
    {
        const auto start = std::chrono::steady_clock::now();
        const std::string pdf = (fs::temp_directory_path() / ("day_book_" + std::to_string(::getpid()) + ".pdf")).string();
        std::size_t pageCount = 0;
        {
            platform::Recordset year = ledgers::dayBookRows(db, 1, yearFrom, book.yearEnd);
            const report::Document doc = report::layOut(ledger_reports::gjLayout(), platform::Hierarchy::flat(year),
                                                        book.yearEnd);
            pageCount = doc.pages.size();
            check(report::writePdf(doc, QString::fromStdString(pdf)), "the year's day book is written to PDF");
        }
        char extra[96];
        std::snprintf(extra, sizeof extra, "  (%zu pages, %.0f MB file)", pageCount,
                      static_cast<double>(fs::file_size(pdf)) / 1048576.0);
        report("day book, year: print to PDF", size, msSince(start), extra);
        fs::remove(pdf);
    }

    // The refresh: the first one writes every counted line, a second one
    // after one new voucher only that voucher's accounts' later lines.
    db.exec("UPDATE SubTransactions SET Balance = NULL, Status = NULL");
    auto start = std::chrono::steady_clock::now();
    const auto first = ledgers::refreshStoredBalances(db, 1);
    const double firstMs = msSince(start);
    report("multi-ledger: refresh, first time", size, firstMs,
           "  (" + std::to_string(first.linesWritten) + " written)" + targetNote(firstMs, 8000));
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES"
            " ((SELECT COALESCE(MAX(DocNo), 0) + 1 FROM Transactions WHERE TranType = 41), ?, 41, 1, 0, 1)",
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
    platform::Hierarchy typeRows;
    const double typeMs = median(timesOf([&] {
        typeRows = ledgers::multiLedgerRows(
            ledgers::multiLedger(db, 1, ledgers::AccountSelection::mainType(typeId), std::nullopt));
    }, o.runs));
    const auto ofType = ledgers::multiLedger(db, 1, ledgers::AccountSelection::mainType(typeId), std::nullopt);
    std::size_t typeLines = 0;
    bool closingsAgree = true;
    for (const auto& l : ofType) {
        typeLines += l.lines.size();
        const auto* row = rowOf(tb, l.accCode);
        closingsAgree = closingsAgree && (row ? row->closing == l.closing : l.closing.isZero());
    }
    report("multi-ledger: print data of one main type", size, typeMs,
           "  (" + std::to_string(ofType.size()) + " accounts, " + std::to_string(typeLines) + " lines)"
               + targetNote(typeMs, 100));
    check(closingsAgree, "multi-ledger closings = the trial balance's");
    const auto busiest = std::find_if(ofType.begin(), ofType.end(), [&](const auto& l) { return l.accCode == book.busiest; });
    check(busiest != ofType.end() && !busiest->lines.empty()
              && db.scalar("SELECT Balance FROM SubTransactions WHERE Serial = ?", {busiest->lines.back().serial}).toInt()
                     == ledgers::balanceOf(busiest->closing).amount.cents(),
          "the stored balance of the busiest account's last line = its closing");

    start = std::chrono::steady_clock::now();
    {
        platform::Hierarchy all = ledgers::multiLedgerRows(
            ledgers::multiLedger(db, 1, ledgers::AccountSelection::all(), std::nullopt));
        report::Pagination pages(ledger_reports::accLedgerMultiLayout(), std::move(all), book.yearEnd);
        while (!pages.countFor(0) && pages.pagesCounted() == 0) {
        }
        const report::Page page = pages.document().pages[0];
        const double ms = msSince(start);
        report("multi-ledger: all accounts, first page", size, ms, targetNote(ms, 1000));
        check(!page.items.empty(), "the multi-ledger print has a first page");
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

} // namespace

int main(int argc, char** argv)
{
    // The printed reports measure their texts: a screen-less application will do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
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
