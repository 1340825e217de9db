// The rules of the voucher form in plain C++: the kinds' own texts, the serial
// number, totals and the amount-in-words line, the job box, the save checks in
// their order, the posting confirmation and the delete checks. No widgets, no SQL:
// the form gathers what it shows, the store answers what needs the database.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QDate>
#include <QString>

#include "accounts/line_grid_rules.h"
#include "main/voucher_kinds.h"
#include "platform/forms/messages.h"
#include "platform/text/money.h"

namespace vouchers {

// What a kind shows beyond its name: kept in the table of kinds.
using KindTexts = app::KindTexts;
// The texts of the kind with type code `tranType`. Throws std::invalid_argument
// for a code that has no voucher form (11 and unknown codes).
const KindTexts& kindTexts(int tranType);

// --- serial number ---

// The serial number box holds at most this many digits.
inline constexpr int kDocNoDigits = 10;
// The serial number of `text`: 1 to kDocNoDigits ASCII digits and nothing else
// ("007" is 7). Nothing for an empty text, blanks, signs, points or exponents,
// so a pasted " 5", "5.0" or "1e1" is refused rather than misread.
std::optional<std::int64_t> parseDocNo(std::string_view text);
// The serial number proposed after `highest` (none when the kind has no voucher
// in the year): 1, else highest + 1; nothing when that no longer fits the box.
std::optional<std::int64_t> proposeDocNo(std::optional<std::int64_t> highest);

// --- lines and totals ---

// The line under the totals: `currencyName`, a blank, the words of `debitTotal`
// and " only."; kWordsError stands for words that cannot be spelled.
QString wordsLine(const QString& currencyName, platform::Money debitTotal);
// What a save stores in WordsAmt: the words of `debitTotal` and " only.", without
// the currency; nothing when the amount cannot be spelled.
std::optional<std::string> storedWords(platform::Money debitTotal);

// The lines a save writes: the grid's lines with an account, in grid order; a
// line without a description takes `voucherDesc`.
std::vector<accounts::SubTranRow> linesToStore(const std::vector<accounts::SubTranRow>& lines,
                                               const QString& voucherDesc);

// --- job ---

// One open job as the job box lists it.
struct Job {
    std::int64_t jobId = 0;
    std::string text;   // "JobNo (JobDesc)"
};
// The job box's entry text for `jobNo` and `jobDesc`: "12 (Fit-out)".
std::string jobText(std::string_view jobNo, std::string_view jobDesc);
// The JobID a save stores for the job box's `text`: for an empty box 0, or
// `keptJobId` when the voucher's job is no longer open and the box was left as
// it was; `chosenJobId`, the job of the box's chosen entry, while the text is
// still that open job's text (ignoring ASCII case), so that of two jobs with
// one text the chosen one is kept; otherwise, for a text equal to an open
// job's text, that job's id (the first, should two agree). Nothing when the
// text names no open job.
std::optional<std::int64_t> jobIdFor(std::string_view text, std::span<const Job> openJobs,
                                     std::int64_t keptJobId = 0, std::int64_t chosenJobId = 0);

// --- save ---

// What the save checks look at, as the form gathered it.
struct SaveRequest {
    std::optional<std::int64_t> docNo;   // parseDocNo of the serial number box
    bool docNoTaken = false;             // another voucher of the kind and year carries docNo
    QDate date;
    QDate yearStart;                     // FYStart
    QDate yearEnd;                       // FYEnd
    bool jobKnown = true;                // jobIdFor found an answer
    std::optional<accounts::LineTotals> totals;   // nothing when a sum does not fit
};
// The first check that refuses, in this order: the number taken (focus on
// DocNo), the date before the year, after the year, the number not numeric, the
// job, unequal totals, and a debit total the words cannot spell (a sum too
// large to be added up counts as one). All
// under "Cannot Save"; only the first moves the focus. Nothing when the voucher
// may be saved.
std::optional<forms::Problem> checkSave(const SaveRequest& request);

// How "Save" begins: straight away, or by asking the "Save Confirmation" that
// un-posts the voucher.
enum class SaveStart { Save, AskToUnpost };
// Only a posted voucher being edited by a user who may not post, while vouchers
// are not posted automatically, asks first.
SaveStart saveStart(bool adding, bool posted, bool mayPost, bool autoPost);
// The "Save Confirmation" question's text.
QString unpostQuestion();

// --- print ---

// What the form shows of a voucher, as the user can change it. Taken when a
// saved voucher is opened and again at "Print", it tells an untouched voucher.
struct ShownVoucher {
    QString docNo;
    QDate date;
    QString desc;
    QString job;                              // the job box's text
    bool cancelled = false;
    bool posted = false;
    std::vector<accounts::SubTranRow> lines;  // the grid's rows, blank ones included
    std::int64_t jobId = 0;                   // the job box's chosen job; 0 for none
    friend bool operator==(const ShownVoucher&, const ShownVoucher&) = default;
};

// How "Print" begins: a saved voucher the user has not changed prints as it
// is stored, without a save (so its stamps, job and posting stay as they are);
// anything else is saved first, as "Save" would start (saveStart), and printed
// after the save.
enum class PrintStart { PrintAsStored, SaveFirst, AskToUnpost };
PrintStart printStart(bool adding, bool changed, bool posted, bool mayPost, bool autoPost);

// --- batch printing ---

// The refusal of the serial number range typed as `from` to `to`, under
// "Invalid Document No." with the focus on SerialFrom: "The document no. must
// be a numeric." when either is no number (parseDocNo; an empty box is none),
// else when `to` is below `from`. Nothing when the range may be printed; equal
// numbers may.
std::optional<forms::Problem> checkSerialRange(std::string_view from, std::string_view to);

// --- delete ---

// Refusal of "Delete" after the right was granted: while adding, "Select a record
// to be deleted."; editing with no voucher of the kind in the year (or none
// open), "There is no record to be deleted."; both under "No Record Found".
// Nothing when the open voucher may be deleted.
std::optional<forms::Problem> checkDelete(bool adding, bool voucherOpen);
// The "Delete Confirmation" question for the voucher numbered `docNo`.
QString deleteQuestion(std::int64_t docNo);

} // namespace vouchers
