// The rules of the opening-balances window without a widget: how many blank
// lines it holds, which lines a save inserts, updates and deletes, and the
// account-name search with its "Find Next". The grid's own rules are line_grid_rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <QString>

#include "accounts/line_grid_rules.h"

namespace accounts {

// Blank lines beyond the accounts of the chart that the window always offers.
inline constexpr std::size_t kExtraOpeningRows = 500;

// The description every saved opening line carries, whatever was typed.
QString broughtForwardDesc();

// How many blank lines to add to `lineCount` lines so that the window holds
// `accountCount` + kExtraOpeningRows; 0 when it holds that many or more.
std::size_t blankRowsNeeded(std::size_t lineCount, std::int64_t accountCount);

// What a save writes: lines without an account are dropped; every kept line
// gets broughtForwardDesc(). New lines (serial 0) are inserted in grid order,
// stored lines are updated only where they differ from what was loaded, and
// loaded lines that are no longer kept (deleted rows) are deleted.
struct OpeningSave {
    std::vector<SubTranRow> inserts;
    std::vector<SubTranRow> updates;
    std::vector<std::int64_t> deletes;   // serials
    bool empty() const { return inserts.empty() && updates.empty() && deletes.empty(); }
};
OpeningSave planOpeningSave(const std::vector<SubTranRow>& loaded, const std::vector<SubTranRow>& edited);

// True when the account name of `line` contains `text`, without regard to case,
// every character taken literally. An empty text matches nothing.
bool nameContains(const SubTranRow& line, const QString& text);
// The first line at or after `from` whose account name contains `text`; -1 when none.
int findLine(const std::vector<SubTranRow>& lines, const QString& text, int from);
// "Find Next" from line `current` (-1: no current line, after a search that
// found nothing): searches from the line after the current one; from no
// current line it starts over at the top line.
// Returns -1 when nothing more is found.
int findNextLine(const std::vector<SubTranRow>& lines, const QString& text, int current);

} // namespace accounts
