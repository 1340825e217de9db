// The voucher form's rules: kind texts, serial numbers, totals, job box, save,
// posting and delete checks.
#include "vouchers/voucher_rules.h"

#include <array>
#include <stdexcept>
#include <string>

#include "platform/text/formats.h"
#include "vouchers/amount_in_words.h"

namespace vouchers {
namespace {

constexpr std::int64_t kLargestDocNo = 9'999'999'999;   // kDocNoDigits nines

const QString kCannotSave = QStringLiteral("Cannot Save");
const QString kNoRecord = QStringLiteral("No Record Found");

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

forms::Problem cannotSave(const char* message, const char* focus = "")
{
    return {kCannotSave, QString::fromUtf8(message), QString::fromUtf8(focus)};
}

} // namespace

const KindTexts& kindTexts(int tranType)
{
    if (const app::VoucherKind* kind = app::kindOfType(tranType))
        return kind->texts;
    throw std::invalid_argument("no voucher form for type code " + std::to_string(tranType));
}

std::optional<std::int64_t> parseDocNo(std::string_view text)
{
    return platform::parseDigits(text, kDocNoDigits);
}

std::optional<std::int64_t> proposeDocNo(std::optional<std::int64_t> highest)
{
    if (!highest)
        return 1;
    if (*highest >= kLargestDocNo)
        return std::nullopt;
    return *highest + 1;
}

QString wordsLine(const QString& currencyName, platform::Money debitTotal)
{
    return currencyName + QLatin1Char(' ')
           + QString::fromStdString(amountInWords(debitTotal).value_or(kWordsError)) + QStringLiteral(" only.");
}

std::optional<std::string> storedWords(platform::Money debitTotal)
{
    auto words = amountInWords(debitTotal);
    if (!words)
        return std::nullopt;
    return *words + " only.";
}

std::vector<accounts::SubTranRow> linesToStore(const std::vector<accounts::SubTranRow>& lines,
                                               const QString& voucherDesc)
{
    std::vector<accounts::SubTranRow> kept = accounts::linesWithAccount(lines);
    for (auto& line : kept)
        if (line.desc.isEmpty())
            line.desc = voucherDesc;
    return kept;
}

std::string jobText(std::string_view jobNo, std::string_view jobDesc)
{
    std::string s{jobNo};
    s += " (";
    s += jobDesc;
    s += ')';
    return s;
}

std::optional<std::int64_t> jobIdFor(std::string_view text, std::span<const Job> openJobs, std::int64_t keptJobId,
                                     std::int64_t chosenJobId)
{
    if (text.empty())
        return keptJobId;
    for (const auto& job : openJobs)
        if (chosenJobId != 0 && job.jobId == chosenJobId && equalIgnoringCase(job.text, text))
            return chosenJobId;
    for (const auto& job : openJobs)
        if (equalIgnoringCase(job.text, text))
            return job.jobId;
    return std::nullopt;
}

std::optional<forms::Problem> checkSave(const SaveRequest& r)
{
    if (r.docNo && r.docNoTaken)
        return cannotSave("This Vocuher No. already exists. Saving this would create duplicate values.", "DocNo");
    if (r.date < r.yearStart)
        return cannotSave("Transaction date cannot be before starting date of financial year.");
    if (r.date > r.yearEnd)
        return cannotSave("Transaction date cannot be after ending date of financial year.");
    if (!r.docNo)
        return cannotSave("Serial number must be a numeric figure.");
    if (!r.jobKnown)
        return cannotSave("Select a correct job or leave it blank if you do not want to save a job reference.");
    if (r.totals && r.totals->debit != r.totals->credit)
        return cannotSave("Totals of debits and credits must be equal.");
    if (!r.totals || !amountInWords(r.totals->debit))
        return cannotSave("The total is too large to be written in words: a voucher's total must be less than "
                          "1,000,000,000,000,000.00.");
    return std::nullopt;
}

SaveStart saveStart(bool adding, bool posted, bool mayPost, bool autoPost)
{
    if (adding || !posted || mayPost || autoPost)
        return SaveStart::Save;
    return SaveStart::AskToUnpost;
}

PrintStart printStart(bool adding, bool changed, bool posted, bool mayPost, bool autoPost)
{
    if (!adding && !changed)
        return PrintStart::PrintAsStored;
    return saveStart(adding, posted, mayPost, autoPost) == SaveStart::Save ? PrintStart::SaveFirst
                                                                           : PrintStart::AskToUnpost;
}

std::optional<forms::Problem> checkSerialRange(std::string_view from, std::string_view to)
{
    const QString title = QStringLiteral("Invalid Document No.");
    const QString focus = QStringLiteral("SerialFrom");
    const auto first = parseDocNo(from);
    const auto last = parseDocNo(to);
    if (!first || !last)
        return forms::Problem{title, QStringLiteral("The document no. must be a numeric."), focus};
    if (*last < *first)
        return forms::Problem{
            title, QStringLiteral("The ending document no. cannot be less than the starting document no."), focus};
    return std::nullopt;
}

QString unpostQuestion()
{
    return QStringLiteral("Editing this voucher would require this voucher to be posted again. "
                          "Do you want to continue?");
}

std::optional<forms::Problem> checkDelete(bool adding, bool voucherOpen)
{
    if (adding)
        return forms::Problem{kNoRecord, QStringLiteral("Select a record to be deleted."), {}};
    if (!voucherOpen)
        return forms::Problem{kNoRecord, QStringLiteral("There is no record to be deleted."), {}};
    return std::nullopt;
}

QString deleteQuestion(std::int64_t docNo)
{
    return QStringLiteral("Are you sure, you want to delete this Voucher No. ") + QString::number(docNo)
           + QStringLiteral("? Deleting this voucher will remove all the ledger entries in accounts relating "
                            "to this transaction.");
}

} // namespace vouchers
