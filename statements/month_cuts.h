// Balances at a cut date read from the month totals: whole months from
// AccountMonths and, for the month the cut falls in, at most half a month of
// lines. Shared by the trial balance and the statements, whose SQL builds on it.
#pragma once

#include <string>

#include <QDate>

namespace platform { class Statement; }

namespace statements {

// How the counted lines dated before a cut are read: months before
// `monthLimit` whole, plus `sign` times the lines dated from `daysFrom` to
// before `daysTo`.
struct Cut {
    std::string monthLimit;
    std::string daysFrom;
    std::string daysTo;
    int sign = 1;
};

// The cut before `day`: the lines dated before it. Early in a month the days
// before `day` are added to the months before; late in a month the days from
// `day` on are taken off that whole month.
Cut cutAt(const QDate& day);
// A cut before every line: nothing counts.
Cut cutBeforeAll();

// The SQL of the common table "cuts": for each account with counted lines of
// year ?1, bDr and bCr (the debits and credits dated before the first cut) and
// uDr and uCr (those dated before the second cut), null amounts as 0. It uses
// the parameters ?1 to ?9; a query appends its own SELECT and further ones.
extern const char* const kCutsTable;

// Binds ?1 to ?9 of kCutsTable: the year and the two cuts.
void bindCuts(platform::Statement& st, int fyId, const Cut& first, const Cut& second);

} // namespace statements
