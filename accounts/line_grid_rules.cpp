// The line grid's rules: strict readings of codes and amounts, the column
// rules and the totals texts.
#include "accounts/line_grid_rules.h"

#include <limits>
#include <stdexcept>

#include "platform/text/characters.h"
#include "platform/text/formats.h"

namespace accounts {

using platform::Money;

QString selectAccountTitle()
{
    return QStringLiteral("Select Account");
}

EditVerdict mayEdit(const SubTranRow& line, int col)
{
    switch (col) {
    case column::Code:
        return {true, {}};
    case column::Desc:
        if (!line.accCode)
            return {false, QStringLiteral("Select account before entering description.")};
        return {true, {}};
    case column::Debit:
    case column::Credit: {
        if (!line.accCode)
            return {false, QStringLiteral("Select account before entering amount.")};
        const auto& other = col == column::Debit ? line.credit : line.debit;
        return {!other.has_value(), {}};
    }
    default:
        return {false, {}};
    }
}

std::optional<std::int64_t> parseAccountCode(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::int64_t code = 0;
    for (const QChar c : text) {
        // QChar::isDigit would take other scripts' digits; only 0-9 are codes.
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (code > (std::numeric_limits<std::int64_t>::max() - digit) / 10)
            return std::nullopt;
        code = code * 10 + digit;
    }
    return code;
}

std::optional<AmountCell> readAmountCell(const QString& text)
{
    if (text.isEmpty())
        return AmountCell{};
    if (platform::characterCount(text) > kMaxAmountLength || text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const auto amount = Money::parse(text.toStdString());
    if (!amount)
        return std::nullopt;
    return AmountCell{amount};
}

bool descriptionFits(const QString& text)
{
    return platform::characterCount(text) <= kMaxDescLength;
}

QString accountCodeRefusal(const QString& text, bool known)
{
    if (!parseAccountCode(text))
        return QStringLiteral("An account code is digits only.");
    if (!known)
        return QStringLiteral("No account has the code %1.").arg(text);
    return {};
}

QString amountRefusal(const QString& text)
{
    if (readAmountCell(text))
        return {};
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char(' ')))
        return QStringLiteral("Type the amount without separators, as 1000.00.");
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('(')) || text.startsWith(QLatin1Char('+')))
        return QStringLiteral("An amount has no sign: a credit goes in the Credit column.");
    if (platform::characterCount(text) > kMaxAmountLength)
        return QStringLiteral("An amount has at most %1 characters.").arg(kMaxAmountLength);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0 && text.size() - point - 1 > 2 && text.count(QLatin1Char('.')) == 1)
        return QStringLiteral("An amount has at most two decimals.");
    return QStringLiteral("An amount is digits with at most one point, as 1250.50.");
}

QString descriptionRefusal(const QString& text)
{
    if (descriptionFits(text))
        return {};
    return QStringLiteral("A description holds at most %1 characters.").arg(kMaxDescLength);
}

QString totalTooLargeRefusal()
{
    return QStringLiteral("The column's total would be too large.");
}

QString amountText(const std::optional<Money>& amount)
{
    return amount ? platform::formatMoneyQ(*amount, "0.00;(0.00)") : QString();
}

std::optional<LineTotals> totalsOf(const std::vector<SubTranRow>& lines)
{
    LineTotals totals;
    try {
        for (const SubTranRow& line : lines) {
            if (line.debit)
                totals.debit += *line.debit;
            if (line.credit)
                totals.credit += *line.credit;
        }
        totals.difference = (totals.debit - totals.credit).abs();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
    return totals;
}

QString totalText(Money total)
{
    return platform::formatMoneyQ(total, "0.00");
}

QString differenceText(const LineTotals& totals)
{
    if (totals.difference.isZero())
        return {};
    return QStringLiteral("There is a difference of Rs. ") + totalText(totals.difference)
           + QStringLiteral(" in totals.");
}

std::vector<SubTranRow> linesWithAccount(const std::vector<SubTranRow>& lines)
{
    std::vector<SubTranRow> kept;
    for (const SubTranRow& line : lines)
        if (line.accCode)
            kept.push_back(line);
    return kept;
}

QString containsPattern(const QString& typed)
{
    QString pattern = QStringLiteral("%");
    for (const QChar c : typed) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    pattern += QLatin1Char('%');
    return pattern;
}

forms::Problem accountGoneProblem(std::size_t row, const SubTranRow& line)
{
    return {QStringLiteral("Select Account"),
            QStringLiteral("Line %1 has the account %2 %3, which is no longer in the chart.")
                .arg(row + 1)
                .arg(line.accCode.value_or(0))
                .arg(line.accName),
            QStringLiteral("Grid")};
}

} // namespace accounts
