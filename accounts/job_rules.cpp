// The job register's rules.
#include "accounts/job_rules.h"

#include <array>

#include "platform/text/formats.h"

namespace accounts {
namespace {

forms::Problem cannotSave(const char* message, const char* focus)
{
    return {QStringLiteral("Cannot Save"), QString::fromUtf8(message), QString::fromUtf8(focus)};
}

} // namespace

std::optional<std::int64_t> parseJobNo(std::string_view text)
{
    return platform::parseDigits(text, kJobNoDigits);
}

std::optional<std::optional<platform::Money>> parseJobAmount(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::optional<platform::Money>{};
    if (const auto m = platform::Money::parse(trimmed.toStdString()))
        return std::optional<platform::Money>{*m};
    return std::nullopt;
}

JobCheck checkJob(const JobEntry& entry)
{
    const auto jobNo = parseJobNo(entry.jobNo.toStdString());
    if (!jobNo)
        return {std::nullopt, cannotSave("Job No. must be a numeric figure.", "DocNo")};
    const auto cost = parseJobAmount(entry.estimatedCost);
    if (!cost)
        return {std::nullopt, cannotSave("Estimated Cost must be an amount, such as 1250.00.", "EstCost")};
    const auto value = parseJobAmount(entry.valueOfWork);
    if (!value)
        return {std::nullopt, cannotSave("Value of Job must be an amount, such as 1250.00.", "JobValue")};
    JobRecord r = entry.rest;
    r.jobNo = *jobNo;
    r.estimatedCost = *cost;
    r.valueOfWork = *value;
    return {r, std::nullopt};
}

QString amountBoxText(const std::optional<platform::Money>& amount)
{
    return amount ? platform::formatMoneyQ(*amount, "0.00") : QString();
}

QString amountGridText(const std::optional<platform::Money>& amount)
{
    return amount ? platform::formatMoneyQ(*amount, "#,##0.00;(#,##0.00)") : QString();
}

QString typedDateGridText(const QString& typed)
{
    const QString t = typed.trimmed();
    if (const auto iso = platform::parseIsoDate(t.toStdString()))
        return platform::formatDate(*iso, "dd-mm-yyyy");
    static const std::array<QString, 3> typedForms = {QStringLiteral("d-M-yyyy"), QStringLiteral("d/M/yyyy"),
                                                      QStringLiteral("d.M.yyyy")};
    for (const QString& form : typedForms) {
        const QDate d = QDate::fromString(t, form);
        if (d.isValid())
            return platform::formatDate(d, "dd-mm-yyyy");
    }
    return typed;
}

QString statusText(bool completed)
{
    return completed ? QStringLiteral("Completed") : QString();
}

} // namespace accounts
