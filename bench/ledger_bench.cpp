// Times the account ledger and the six-column trial balance on a generated
// book: a delivered database filled with a chart and many voucher lines, then
// each query run a few times on a fresh connection, as the program opens it.
// A --db file that exists already is timed as it is, not written again.
// Usage: ledger_bench [--accounts N] [--lines N] [--heavy N] [--runs N] [--db PATH]
//                     [--index 'CREATE INDEX ...']... [--pragma 'PRAGMA ...']...
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include <QDate>

#include "db/delivered.h"
#include "ledgers/ledger_store.h"
#include "platform/data/database.h"
#include "platform/text/formats.h"
#include "statements/trial_balance_store.h"

namespace {

struct Options {
    int accounts = 5000;
    int lines = 1000000;
    int heavy = 20000;   // lines of the one busy account
    int runs = 5;
    std::string path;
    std::vector<std::string> indexes;   // CREATE INDEX statements to time with as well
    std::vector<std::string> pragmas;   // connection settings to time with as well
};

constexpr const char* kToday = "2026-12-10";
const QDate kYearStart(2026, 7, 1);
const QDate kYearEnd(2027, 6, 30);
constexpr int kLinesPerVoucher = 4;

struct Chart {
    std::vector<std::int64_t> codes;
    std::int64_t heavy = 0;
};

// Main types of five natures, ten sub types each, the accounts spread over them.
Chart fillChart(platform::Database& db, int accounts)
{
    const int types[][2] = {{101, 10}, {201, 20}, {301, 30}, {451, 36}, {501, 40}, {751, 55}};
    platform::Statement l1(db, "INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, ?, ?)");
    platform::Statement l2(db, "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, ?, ?)");
    std::vector<std::pair<std::int64_t, std::int64_t>> subTypes;
    for (const auto& t : types) {
        l1.reset();
        l1.bindAll({t[0], "Main type " + std::to_string(t[0]), t[1]}).run();
        for (int k = 1; k <= 10; ++k) {
            const std::int64_t id = t[0] * 100 + k;
            l2.reset();
            l2.bindAll({id, "Sub type " + std::to_string(id), t[0]}).run();
            subTypes.push_back({id, t[0]});
        }
    }
    platform::Statement l3(db, "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, ?, ?)");
    Chart chart;
    for (int i = 0; i < accounts; ++i) {
        const auto& [sub, type] = subTypes[static_cast<std::size_t>(i) % subTypes.size()];
        const std::int64_t code = sub * 1000 + i / static_cast<int>(subTypes.size()) + 1;
        l3.reset();
        l3.bindAll({code, "Account " + std::to_string(code) + " of the generated chart", type, sub}).run();
        chart.codes.push_back(code);
    }
    std::sort(chart.codes.begin(), chart.codes.end());
    chart.heavy = chart.codes[chart.codes.size() / 3];
    return chart;
}

// The opening-balance voucher (TranNo 1 of the delivered year) gets one line
// per account; the rest are vouchers of four lines over the year, a few of
// them unposted or cancelled. Every k-th voucher's first line is the busy account's.
void fillVouchers(platform::Database& db, const Chart& chart, const Options& o)
{
    std::mt19937_64 rnd(20261210);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rnd() % n); };
    platform::Statement line(db,
        "INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit, Balance, Status)"
        " VALUES (?, ?, ?, ?, ?, ?, 0, '')");
    auto addLine = [&](std::int64_t tranNo, std::int64_t code, std::int64_t debit, std::int64_t credit) {
        line.reset();
        line.bindAll({tranNo, code, "Account " + std::to_string(code),
                      "Being the amount of goods and services as per bill",
                      debit ? platform::Value(debit) : platform::Value(),
                      credit ? platform::Value(credit) : platform::Value()}).run();
    };
    int written = 0;
    for (std::size_t i = 0; i + 1 < chart.codes.size() && written < o.lines; i += 2) {
        const std::int64_t amount = 1000 + static_cast<std::int64_t>(pick(10000000));
        addLine(1, chart.codes[i], amount, 0);
        addLine(1, chart.codes[i + 1], 0, amount);
        written += 2;
    }

    const int kinds[] = {21, 25, 27, 28, 31, 35, 37, 38, 41};
    int docNo[64] = {};
    platform::Statement voucher(db,
        "INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID,"
        " UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
        " VALUES (?, ?, 'Generated voucher for timing', ?, ?, ?, 0, 1, 1, ?, 1, ?, ?, ?)");
    const int vouchers = (o.lines - written) / kLinesPerVoucher;
    const int heavyEvery = std::max(1, vouchers / std::max(1, o.heavy));
    const int days = static_cast<int>(kYearStart.daysTo(kYearEnd)) + 1;
    for (int v = 0; v < vouchers; ++v) {
        const int kind = kinds[pick(9)];
        const std::string date = platform::isoDate(kYearStart.addDays(static_cast<qint64>(pick(days))));
        const std::int64_t amount = 100 + static_cast<std::int64_t>(pick(5000000));
        const int cancel = pick(100) < 2 ? 1 : 0;
        const int posted = pick(100) < 3 ? 0 : 1;
        voucher.reset();
        voucher.bindAll({++docNo[kind - 20], date, kind, amount * 2,
                         "Rupees Forty Two Thousand Three Hundred and Fifty Only", date + " 10:00:00",
                         date + " 10:00:00", cancel, posted}).run();
        const std::int64_t tranNo = db.lastInsertId();
        for (int k = 0; k < kLinesPerVoucher; ++k) {
            const std::int64_t code = k == 0 && v % heavyEvery == 0 ? chart.heavy : chart.codes[pick(chart.codes.size())];
            addLine(tranNo, code, k % 2 == 0 ? amount : 0, k % 2 == 1 ? amount : 0);
        }
    }
}

double millisecondsOf(const std::function<void()>& work, int runs)
{
    work();   // first run warms the page cache, as a window opened twice would
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void timeQueries(const std::string& path, const Chart& chart, const Options& o, const char* label,
                 const std::vector<std::string>& pragmas = {})
{
    platform::Database db = platform::Database::open(path);
    for (const auto& sql : pragmas)
        db.execScript(sql);
    std::size_t ledgerLines = 0, balanceRows = 0;
    const double ledgerMs = millisecondsOf([&] {
        ledgerLines = ledgers::buildLedger(db, 1, chart.heavy, std::nullopt).lines.size();
    }, o.runs);
    const double periodMs = millisecondsOf([&] {
        ledgers::buildLedger(db, 1, chart.heavy, ledgers::DateRange{QDate(2027, 1, 1), QDate(2027, 3, 31)});
    }, o.runs);
    const double balanceMs = millisecondsOf([&] {
        balanceRows = statements::trialBalance(db, 1, kYearStart, kYearEnd, statements::AccountSelection::all())
                          .rows.size();
    }, o.runs);
    std::printf("%s\n  whole-year ledger, %zu lines: %.1f ms\n  quarter ledger with brought forward: %.1f ms\n"
                "  six-column trial balance, %zu accounts: %.1f ms\n",
                label, ledgerLines, ledgerMs, periodMs, balanceRows, balanceMs);
}

bool readOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--accounts") o.accounts = std::atoi(value);
        else if (key == "--lines") o.lines = std::atoi(value);
        else if (key == "--heavy") o.heavy = std::atoi(value);
        else if (key == "--runs") o.runs = std::atoi(value);
        else if (key == "--db") o.path = value;
        else if (key == "--index") o.indexes.push_back(value);
        else if (key == "--pragma") o.pragmas.push_back(value);
        else return false;
    }
    return argc % 2 == 1 && o.accounts >= 2 && o.lines > 0 && o.runs > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!readOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: ledger_bench [--accounts N] [--lines N] [--heavy N] [--runs N]"
                             " [--db PATH] [--index 'CREATE INDEX ...'] [--pragma 'PRAGMA ...']\n");
        return 2;
    }
    const bool temporary = o.path.empty();
    const bool reuse = !temporary && std::filesystem::exists(o.path);
    if (temporary)
        o.path = (std::filesystem::temp_directory_path() / ("ledger_bench_" + std::to_string(::getpid()) + ".db")).string();
    try {
        Chart chart;
        if (reuse) {
            // A book written by an earlier run: its busy account has the most lines.
            platform::Database db = platform::Database::open(o.path);
            chart.heavy = db.scalar("SELECT AccCode FROM SubTransactions GROUP BY AccCode"
                                    " ORDER BY COUNT(*) DESC LIMIT 1").toInt();
            std::printf("timing the book in %s\n", o.path.c_str());
        } else {
            const auto start = std::chrono::steady_clock::now();
            db::writeDeliveredFile(o.path, kToday, std::string(kToday) + " 09:00:00");
            platform::Database db = platform::Database::open(o.path);
            platform::Transaction tx(db);
            chart = fillChart(db, o.accounts);
            fillVouchers(db, chart, o);
            tx.commit();
            std::printf("book of %d accounts and about %d lines written in %.1f s\n", o.accounts, o.lines,
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        timeQueries(o.path, chart, o, "with the delivered schema:");
        if (!o.pragmas.empty())
            timeQueries(o.path, chart, o, "with the delivered schema and the connection settings:", o.pragmas);
        if (!o.indexes.empty()) {
            {
                platform::Database db = platform::Database::open(o.path);
                for (const auto& sql : o.indexes)
                    db.execScript(sql);
            }
            timeQueries(o.path, chart, o, "with the extra indexes:");
            if (!o.pragmas.empty())
                timeQueries(o.path, chart, o, "with the extra indexes and the connection settings:", o.pragmas);
        }
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "database error: %s\n%s\n", e.message().c_str(), e.sql().c_str());
        if (temporary)
            std::filesystem::remove(o.path);
        return 1;
    }
    if (temporary)
        std::filesystem::remove(o.path);
    return 0;
}
