// Blank lines, the save plan and the search of the opening balances.
#include "accounts/opening_balance_rules.h"

#include <unordered_map>
#include <unordered_set>

namespace accounts {

QString broughtForwardDesc()
{
    return QStringLiteral("Balance Brought Forward");
}

std::size_t blankRowsNeeded(std::size_t lineCount, std::int64_t accountCount)
{
    const std::size_t wanted = static_cast<std::size_t>(accountCount > 0 ? accountCount : 0) + kExtraOpeningRows;
    return lineCount >= wanted ? 0 : wanted - lineCount;
}

namespace {

bool sameLine(const SubTranRow& a, const SubTranRow& b)
{
    return a.accCode == b.accCode && a.accName == b.accName && a.desc == b.desc && a.debit == b.debit
           && a.credit == b.credit;
}

} // namespace

OpeningSave planOpeningSave(const std::vector<SubTranRow>& loaded, const std::vector<SubTranRow>& edited)
{
    std::unordered_map<std::int64_t, const SubTranRow*> stored;
    for (const auto& line : loaded)
        if (line.serial > 0)
            stored.emplace(line.serial, &line);

    OpeningSave plan;
    std::unordered_set<std::int64_t> kept;
    for (SubTranRow line : edited) {
        if (!line.accCode)
            continue;
        line.desc = broughtForwardDesc();
        if (line.serial <= 0) {
            line.serial = 0;
            plan.inserts.push_back(std::move(line));
            continue;
        }
        kept.insert(line.serial);
        const auto it = stored.find(line.serial);
        if (it == stored.end() || !sameLine(*it->second, line))
            plan.updates.push_back(std::move(line));
    }
    for (const auto& line : loaded)
        if (line.serial > 0 && !kept.contains(line.serial))
            plan.deletes.push_back(line.serial);
    return plan;
}

bool nameContains(const SubTranRow& line, const QString& text)
{
    return !text.isEmpty() && line.accName.contains(text, Qt::CaseInsensitive);
}

int findLine(const std::vector<SubTranRow>& lines, const QString& text, int from)
{
    for (int i = from < 0 ? 0 : from; i < static_cast<int>(lines.size()); ++i)
        if (nameContains(lines[static_cast<std::size_t>(i)], text))
            return i;
    return -1;
}

int findNextLine(const std::vector<SubTranRow>& lines, const QString& text, int current)
{
    // From no current line (the search ran past the last match) it starts over
    // at the top, so a match on the first line is found again too.
    return findLine(lines, text, current < 0 ? 0 : current + 1);
}

} // namespace accounts
