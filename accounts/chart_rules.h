// The account-code scheme of the chart (main types, sub types, accounts) and the
// checks of the chart editor's saves and deletes, in plain C++: no widgets, no SQL.
// The window gathers what it shows into the structs below; the store looks rows up.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace accounts {

// The three levels of the chart.
enum class ChartLevel { MainType, SubType, Account };

// A refusal the user can correct: box title, message, and the objectName of the
// control that takes the focus afterwards (empty: the focus stays where it is).
struct ChartProblem {
    std::string title;
    std::string message;
    std::string focus;
};

// A question the user answers Yes or No.
struct ChartQuestion {
    std::string title;
    std::string text;
};

// The main-type codes a nature admits, both ends included.
struct NatureRange {
    std::int64_t startAt = 0;
    std::int64_t endAt = 0;
};

// The most characters the name of a main type, sub type or account takes.
inline constexpr int kChartNameLength = 255;

// --- code scheme ---

// Code of a sub type, n from 1 to 99: mainType x 100 + n.
constexpr std::int64_t subTypeCode(std::int64_t mainType, int n) { return mainType * 100 + n; }
// Code of an account, n from 1 to 999: subType x 1000 + n.
constexpr std::int64_t accountCode(std::int64_t subType, int n) { return subType * 1000 + n; }

// The proposed code of a new main type of a nature whose highest main type is
// `highest` (none when the nature has none): StartAt when there is none, nothing
// when the highest is at or above EndAt (the nature is full), else highest + 1.
std::optional<std::int64_t> proposeMainType(NatureRange nature, std::optional<std::int64_t> highest);
// The proposed code of a new sub type of `mainType` whose highest sub type is
// `highest`: the first (mainType x 100 + 1) when there is none, nothing when the
// highest ends in 99 (the main type is full), else highest + 1.
std::optional<std::int64_t> proposeSubType(std::int64_t mainType, std::optional<std::int64_t> highest);
// The proposed code of a new account of `subType` whose highest account is
// `highest`: the first (subType x 1000 + 1) when there is none, nothing when the
// highest ends in 999 (the sub type is full), else highest + 1.
std::optional<std::int64_t> proposeAccount(std::int64_t subType, std::optional<std::int64_t> highest);

// A code box's text as a code: one or more ASCII digits and nothing else (no
// sign, no blanks), at most 18 of them. Nothing for any other text.
std::optional<std::int64_t> parseCode(std::string_view text);

// The range label's text: "(Value From  100  To  199)".
std::string rangeCaption(NatureRange nature);

// --- saves ---

// What the main-type panel shows when Save is pressed.
struct MainTypeSave {
    bool adding = false;                // a new main type is pending
    bool hasRows = false;               // at least one main type is stored
    std::optional<NatureRange> nature;  // the chosen nature; none when its text matches no entry
    std::string code;                   // the code box as typed
    std::string name;                   // the name box
    std::optional<std::int64_t> ownCode;  // the shown row's stored code; no exemption while adding
};

// Answers whether a main type with this code is stored. May throw (the
// caller's database error passes through).
using CodeTaken = std::function<bool(std::int64_t code)>;

// The first failing check of a main-type save, in the window's order: nothing to
// save, nature, empty code, not 3 digits, outside the nature's range, empty name,
// code already used (asked through `taken` only when every earlier check passed).
// Nothing when the row may be written. All refusals carry the title "Cannot Save".
std::optional<ChartProblem> checkMainTypeSave(const MainTypeSave& save, const CodeTaken& taken);

// What the sub-type or accounts panel shows when Save is pressed.
struct ChildSave {
    bool adding = false;                // a new row of this level is pending
    bool hasRows = false;               // the parent has at least one row of this level
    std::optional<std::int64_t> code;   // the code box; none when empty (the parent was full)
    std::string name;                   // the name box
};

// The first failing check of a sub-type (`level` SubType) or account (Account)
// save: nothing to save, no code (the parent is full), empty name. Nothing when
// the row may be written. `level` must not be MainType.
std::optional<ChartProblem> checkChildSave(ChartLevel level, const ChildSave& save);

// --- deletes ---

// Why the shown row of `level` cannot be deleted: there is none (`hasRow`
// false), or it is still used (`inUse`: sub types under a main type, accounts
// under a sub type, voucher lines of an account). `accountName` is the stored
// name of the shown account, used in the account's message only.
std::optional<ChartProblem> checkDelete(ChartLevel level, bool hasRow, bool inUse,
                                        std::string_view accountName = {});
// The message for a row of `level` that is still used; also what the window
// shows when the database refuses a delete for the same reason.
ChartProblem inUseRefusal(ChartLevel level, std::string_view accountName = {});
// The question asked before the shown row of `level` is deleted.
ChartQuestion deleteQuestion(ChartLevel level, std::string_view accountName = {});

} // namespace accounts
