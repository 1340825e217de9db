// What the voucher line grid allows, without a widget: which cell may be edited
// on which line, how typed codes and amounts are read, the totals and their
// texts, and the type-ahead pattern. The grid component applies them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "platform/forms/messages.h"
#include "platform/text/money.h"

namespace accounts {

// One line of the grid, as held in memory until the hosting window saves.
struct SubTranRow {
    std::int64_t serial = 0;              // 0 for a line not yet saved
    std::optional<std::int64_t> accCode;  // empty on a blank line
    QString accName;
    QString desc;
    std::optional<platform::Money> debit;
    std::optional<platform::Money> credit;
    friend bool operator==(const SubTranRow&, const SubTranRow&) = default;
};

// The grid's columns, by index.
namespace column {
inline constexpr int Code = 0;
inline constexpr int Name = 1;
inline constexpr int Desc = 2;
inline constexpr int Debit = 3;
inline constexpr int Credit = 4;
inline constexpr int Count = 5;
} // namespace column

inline constexpr int kMaxDescLength = 250;
inline constexpr int kMaxAmountLength = 14;

// Whether a cell may enter editing, and the message that goes with a refusal
// (empty for a silent one; shown under selectAccountTitle()).
struct EditVerdict {
    bool allowed = false;
    QString message;
};
// The code may always be edited; the name never; the description and the
// amounts only on a line with an account, and an amount only while the other
// amount is empty (a zero counts as filled). A missing account is refused
// with its message even when the other amount is filled as well.
EditVerdict mayEdit(const SubTranRow& line, int column);
QString selectAccountTitle();

// A typed account code: digits only (no sign, blank or separator) that fit a
// whole number. Nothing for any other text, the empty text included.
std::optional<std::int64_t> parseAccountCode(const QString& text);

// A typed debit or credit: an empty text empties the cell; otherwise at most
// kMaxAmountLength characters of digits with at most one point and two
// decimals. Nothing when refused (negatives, signs, exponents, separators,
// brackets and hexadecimal included).
struct AmountCell {
    std::optional<platform::Money> amount;   // empty: the cell is emptied
};
std::optional<AmountCell> readAmountCell(const QString& text);

// A typed description fits in kMaxDescLength characters.
bool descriptionFits(const QString& text);

// Why a cell refuses what was typed, in a few words for the grid to show at
// the cell (no box): a code that is not digits, an unknown code (`known`
// false), an amount readAmountCell refuses (separators, more than two
// decimals, a sign, too long, any other text), a description past its length.
// Empty when the text is taken.
QString accountCodeRefusal(const QString& text, bool known);
QString amountRefusal(const QString& text);
QString descriptionRefusal(const QString& text);
// The refusal of an amount that is itself fine but whose column's total would not fit.
QString totalTooLargeRefusal();

// The text a grid cell shows for an amount: "0.00;(0.00)", empty for none.
QString amountText(const std::optional<platform::Money>& amount);

// Exact sums of the debits and the credits of every line (empty amounts count
// nothing) and how far apart they are; nothing when a sum does not fit.
struct LineTotals {
    platform::Money debit;
    platform::Money credit;
    platform::Money difference;   // never negative
};
std::optional<LineTotals> totalsOf(const std::vector<SubTranRow>& lines);
// A total as its box shows it: "0.00".
QString totalText(platform::Money total);
// "There is a difference of Rs. " with the absolute difference formatted "0.00"
// and " in totals."; empty when the totals agree.
QString differenceText(const LineTotals& totals);

// The lines worth saving: those with an account code, in order.
std::vector<SubTranRow> linesWithAccount(const std::vector<SubTranRow>& lines);

// A LIKE pattern (for "LIKE ? ESCAPE '\'") that finds `typed` anywhere, every
// character taken literally: %, _ and the backslash are escaped.
QString containsPattern(const QString& typed);

// The refusal of a save whose line `row` (from 0, in grid order) holds an
// account the chart no longer has: "Select Account", naming the line as
// numbered from 1 and its account's code and name, the focus to the grid.
forms::Problem accountGoneProblem(std::size_t row, const SubTranRow& line);

} // namespace accounts
