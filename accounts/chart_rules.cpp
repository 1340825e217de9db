// The chart's code scheme and the editor's checks. Codes are whole numbers
// throughout: a level's code is its parent's code times 100 or 1000 plus a
// serial, never text glued together.
#include "accounts/chart_rules.h"

#include <cassert>

namespace accounts {
namespace {

constexpr std::int64_t kSubTypesPerMainType = 100;   // serials 01..99
constexpr std::int64_t kAccountsPerSubType = 1000;   // serials 001..999
constexpr std::size_t kMainCodeDigits = 3;
constexpr std::size_t kMaxCodeDigits = 18;           // stays below INT64_MAX

const char* const kCannotSave = "Cannot Save";
const char* const kCannotDelete = "Cannot Delete";
const char* const kClickAdd = "Click on Add Button before adding record.";

// Highest + 1 unless the highest used the last serial of its parent; the
// first serial when the parent has none yet.
std::optional<std::int64_t> nextChild(std::int64_t parent, std::int64_t perParent,
                                      std::optional<std::int64_t> highest)
{
    if (!highest)
        return parent * perParent + 1;
    if (*highest % perParent == perParent - 1)
        return std::nullopt;
    return *highest + 1;
}

} // namespace

std::optional<std::int64_t> proposeMainType(NatureRange nature, std::optional<std::int64_t> highest)
{
    if (!highest)
        return nature.startAt;
    if (*highest >= nature.endAt)
        return std::nullopt;
    return *highest + 1;
}

std::optional<std::int64_t> proposeSubType(std::int64_t mainType, std::optional<std::int64_t> highest)
{
    return nextChild(mainType, kSubTypesPerMainType, highest);
}

std::optional<std::int64_t> proposeAccount(std::int64_t subType, std::optional<std::int64_t> highest)
{
    return nextChild(subType, kAccountsPerSubType, highest);
}

std::optional<std::int64_t> parseCode(std::string_view text)
{
    if (text.empty() || text.size() > kMaxCodeDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string rangeCaption(NatureRange nature)
{
    return "(Value From  " + std::to_string(nature.startAt) + "  To  " + std::to_string(nature.endAt) + ")";
}

std::optional<ChartProblem> checkMainTypeSave(const MainTypeSave& s, const CodeTaken& taken)
{
    if (!s.hasRows && !s.adding)
        return ChartProblem{kCannotSave, kClickAdd, "CatCodeTxt"};
    if (!s.nature)
        return ChartProblem{kCannotSave, "Select correct nature of account type to save.", "FSList"};
    if (s.code.empty())
        return ChartProblem{kCannotSave, "Enter main type code to save.", "MainCode"};
    // The box takes digits only, but a code that reached it some other way is
    // refused here rather than sent on.
    const auto code = parseCode(s.code);
    if (s.code.size() != kMainCodeDigits || !code)
        return ChartProblem{kCannotSave, "Give 3 digit main type code to save.", "MainCode"};
    if (*code < s.nature->startAt || *code > s.nature->endAt)
        return ChartProblem{kCannotSave,
                            "Value of main type code for this account type nature must be from "
                                + std::to_string(s.nature->startAt) + " to " + std::to_string(s.nature->endAt),
                            "MainCode"};
    if (s.name.empty())
        return ChartProblem{kCannotSave, "Enter main account type to save.", "CatCodeTxt"};
    // An existing row may keep its own code; any other stored code is taken.
    const bool ownCode = !s.adding && s.ownCode && *s.ownCode == *code;
    if (!ownCode && taken(*code))
        return ChartProblem{kCannotSave,
                            "A main account type is already present with the same code. Give a different code.",
                            "MainCode"};
    return std::nullopt;
}

std::optional<ChartProblem> checkChildSave(ChartLevel level, const ChildSave& s)
{
    assert(level != ChartLevel::MainType);
    const bool sub = level == ChartLevel::SubType;
    const std::string nameBox = sub ? "SubCatCodeTxt" : "AccCodeTxt";
    if (!s.hasRows && !s.adding)
        return ChartProblem{kCannotSave, kClickAdd, sub ? nameBox : std::string{}};
    if (!s.code)
        return ChartProblem{kCannotSave,
                            sub ? "You have added maximum number of sub account types in the selected main "
                                  "account type."
                                : "You have added maximum number of accounts in the selected sub account type.",
                            nameBox};
    if (s.name.empty())
        return ChartProblem{kCannotSave, sub ? "Enter sub account type to save." : "Enter account name to save.",
                            nameBox};
    return std::nullopt;
}

ChartProblem inUseRefusal(ChartLevel level, std::string_view accountName)
{
    switch (level) {
    case ChartLevel::MainType:
        return {kCannotDelete,
                "There have been sub account types present in this main account type. Delete them before "
                "deleting it.",
                {}};
    case ChartLevel::SubType:
        return {kCannotDelete,
                "There have been accounts present in this sub account type. Delete them before deleting it.", {}};
    case ChartLevel::Account:
        break;
    }
    return {kCannotDelete,
            "There have been ledger entries recorded for the selected account, " + std::string(accountName) + ".",
            {}};
}

std::optional<ChartProblem> checkDelete(ChartLevel level, bool hasRow, bool inUse, std::string_view accountName)
{
    if (!hasRow) {
        switch (level) {
        case ChartLevel::MainType:
            return ChartProblem{"No Main Account Type", "There is no main account type to be deleted.", {}};
        case ChartLevel::SubType:
            return ChartProblem{"No Sub Account Type", "There is no sub account type to be deleted.", {}};
        case ChartLevel::Account:
            return ChartProblem{"No Account Found", "There is no account to be deleted.", {}};
        }
    }
    if (inUse)
        return inUseRefusal(level, accountName);
    return std::nullopt;
}

ChartQuestion deleteQuestion(ChartLevel level, std::string_view accountName)
{
    const char* const title = "Delete Confirmation";
    switch (level) {
    case ChartLevel::MainType:
        return {title, "Are you sure, you want to delete this selected main account type?"};
    case ChartLevel::SubType:
        return {title, "Are you sure, you want to delete this selected sub account type?"};
    case ChartLevel::Account:
        break;
    }
    return {title, "Are you sure, you want to delete this selected account, " + std::string(accountName) + "?"};
}

} // namespace accounts
