// The rules of the voucher search windows in plain C++: each kind's window name,
// caption and heading, the checks of "FInd" in their order with the criteria they
// yield, the literal pattern of a description search and the two sort orders.
// No widgets, no SQL: the window reads its boxes, the store runs the query.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QDate>
#include <QString>

#include "platform/forms/messages.h"
#include "platform/text/money.h"

namespace vouchers {

// A kind's search window: its window name ("FindPV"), caption and heading (Label2).
struct SearchTexts {
    int tranType;
    const char* window;
    const char* caption;
    const char* heading;
};
// The texts of the search window of type code `tranType`. Throws
// std::invalid_argument for a code without a voucher form (11 and unknown codes).
const SearchTexts& searchTexts(int tranType);

// What the criteria boxes hold when "FInd" is pressed: for each criterion
// whether its box is ticked, and its inputs as shown.
struct SearchInput {
    bool byDocNo = false;
    std::string docNo;
    bool byPeriod = false;
    QDate from;
    QDate to;
    bool byDesc = false;
    QString desc;
    bool byPosted = false;
    bool posted = false;       // "Posted" chosen; "Un-Posted" otherwise
    bool byCancel = false;
    bool cancelled = false;    // "Cancelled" chosen; "Valid" otherwise
    bool byAmount = false;
    std::string amount;
};

// The criteria of a search, each applying when set; all of them together (AND).
struct SearchCriteria {
    std::optional<std::int64_t> docNo;
    std::optional<QDate> from;        // with `to`: both days included
    std::optional<QDate> to;
    std::optional<QString> descPart;  // found anywhere in the description, as typed
    std::optional<bool> posted;
    std::optional<bool> cancelled;
    std::optional<platform::Money> amount;   // the stored amount exactly
};

// The criteria of `input`, or the first check that refuses it, in this order
// (title "Cannot Find", the focus on the box named): a ticked voucher number
// that is not a serial number (parseDocNo: digits only, so "", " 5" and "5.0"
// are refused), a ticked period that ends before it starts, a ticked
// description that is empty, a ticked amount that
// Money::parse refuses ("1,000", "1e3", "150.005"). Unticked criteria are not
// read at all.
struct SearchCheck {
    std::optional<SearchCriteria> criteria;
    std::optional<forms::Problem> problem;
};
SearchCheck checkSearch(const SearchInput& input);

// A LIKE pattern, for "LIKE ? ESCAPE '\'", that finds `text` (UTF-8) literally
// anywhere: '%', '_' and '\' of the text are escaped, and the whole is put
// between '%'. LIKE ignores the case of Latin letters only, so each other
// character becomes '_' (any one character): the pattern keeps every
// description that descriptionContains keeps, and the caller confirms with it.
std::string containsPattern(std::string_view text);
// True when `part` occurs in `desc` literally and without regard to case, for
// every alphabet.
bool descriptionContains(const QString& desc, const QString& part);

// One listed voucher as the list needs it to sort: its key, number and ISO date.
struct ListedVoucher {
    std::int64_t tranNo = 0;
    std::int64_t docNo = 0;
    std::string date;   // "YYYY-MM-DD"
};

enum class SearchOrder { ByNumber, ByDate };
// The sort of the column header `column` (0 by number, 1 by date); nothing for
// the other columns, whose headers do not sort.
std::optional<SearchOrder> orderOfColumn(int column);
// Sorts `rows` by number, or by date with the vouchers of one day by number.
void sortListed(std::vector<ListedVoucher>& rows, SearchOrder order);

} // namespace vouchers
