// Generated books for timing: a chart under realistic main and sub types and a
// year of balanced vouchers of all nine kinds, written with the program's own
// schema into a delivered database, and the same book as a plain-text
// double-entry journal that other tools can read. Deterministic for a seed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <QDate>

namespace platform { class Database; }

namespace bench {

struct BookSpec {
    int accounts = 5000;
    int lines = 1'000'000;           // voucher lines, the opening balances included
    std::uint64_t seed = 20261210;
};

struct GeneratedBook {
    std::vector<std::int64_t> codes;     // every account, in code order
    std::int64_t busiest = 0;            // the account with the most lines
    int vouchers = 0;
    int lines = 0;
    QDate yearStart;                     // the delivered year (FYID 1)
    QDate yearEnd;
    std::vector<std::int64_t> jobs;      // the register's JobIDs, kJobs of them
    int jobVouchers = 0;                 // the vouchers charged to one of them
};

// The jobs of a generated book, and how often a voucher is charged to one.
inline constexpr int kJobs = 50;
inline constexpr int kJobVouchersPerMille = 10;

// Fills `db`, a delivered database with its one year and no chart, in one
// transaction; about one voucher in a hundred is charged to one of kJobs jobs
// (drawn apart from the vouchers themselves, so the book is the same with or
// without them). When `journal` is given, writes every voucher to it as one
// transaction with one posting per line; vouchers that are unposted or
// cancelled, which no balance counts, are marked pending ("!") and the others
// cleared ("*"), so that a tool's cleared balances are the program's.
// Throws platform::DbError.
GeneratedBook generateBook(platform::Database& db, const BookSpec& spec, std::ostream* journal);

} // namespace bench
