// The job register's rules in plain C++: the job number and the two amounts as
// the boxes hold them, the save check, and the texts the register's grid shows.
// No widgets, no SQL: the window gathers the boxes, the store writes the row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QDate>
#include <QString>

#include "platform/forms/messages.h"
#include "platform/text/money.h"

namespace accounts {

// The job number box holds at most this many digits.
inline constexpr int kJobNoDigits = 8;

// One job as the register stores it. The free-text columns hold what was typed.
struct JobRecord {
    std::int64_t jobId = 0;               // 0 for a job not yet stored
    std::int64_t jobNo = 0;
    QDate jobDate;
    QString jobDesc;
    QString orderRefDate;
    QString expDeliveryDate;
    QString customerName;
    QString address;
    QString telephone;
    QString contact;
    std::optional<platform::Money> estimatedCost;   // empty: stored null
    std::optional<platform::Money> valueOfWork;
    QString jobIncharge;
    QString completionDate;
    bool completed = false;               // Status
    QString deliveryRefDate;
    QString remarks;
    friend bool operator==(const JobRecord&, const JobRecord&) = default;
};

// The boxes of the register as typed: the number and the amounts still text.
struct JobEntry {
    QString jobNo;
    QString estimatedCost;
    QString valueOfWork;
    JobRecord rest;                       // every other column, as the boxes hold it
};

// The most characters a job's texts take (its description, its customer's
// name and the like).
inline constexpr int kJobTextLength = 250;

// The job number of `text`: 1 to kJobNoDigits ASCII digits and nothing else
// ("007" is 7). Nothing for an empty text, blanks, signs, points or more digits.
std::optional<std::int64_t> parseJobNo(std::string_view text);

// An amount box's text: empty (or blanks only) is no amount, else what
// Money::parse reads ("1250", "1250.5", "-3.07"). Nothing inside the outer
// optional when the text is no amount.
std::optional<std::optional<platform::Money>> parseJobAmount(const QString& text);

// The record `entry` stands for, or the first refusal under "Cannot Save": a
// job number that is not 1 to 8 digits ("Job No. must be a numeric figure.",
// focus DocNo), then an estimated cost (EstCost) and a value (JobValue) that
// are no amounts.
struct JobCheck {
    std::optional<JobRecord> record;
    std::optional<forms::Problem> problem;
};
JobCheck checkJob(const JobEntry& entry);

// An amount as an amount box shows it, so that a save reads it back: "1250.00",
// "-3.07"; empty for none.
QString amountBoxText(const std::optional<platform::Money>& amount);
// An amount as the register's grid shows it: "#,##0.00;(#,##0.00)"; empty for none.
QString amountGridText(const std::optional<platform::Money>& amount);
// A free-text date column as the grid shows it: a stored ISO date or a typed
// "d-M-yyyy", "d/M/yyyy" or "d.M.yyyy" as "dd-MM-yyyy", any other text as typed.
QString typedDateGridText(const QString& typed);
// The grid's status column: "Completed" for a completed job, else empty.
QString statusText(bool completed);

} // namespace accounts
