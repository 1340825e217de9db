// JobCardRpt, the printed job card of one job: its layout and its
// initialisation. The job register opens the job (JobCardRst) and shows it.
#pragma once

#include <memory>

#include <QString>

#include "platform/report/layout.h"
#include "platform/report/report_feed.h"

namespace platform { class Recordset; }

namespace account_reports {

// The sign-in state the card shows beside the job.
struct JobCardCaptions {
    QString bizName;
    QString bizAdd;
    QString bizTel;
    QString bizEMail;
    QString userName;
};

// The layout, caption "Job Card": a report header with the company (CoName,
// CoAdd, CoTel, CoEMail) and "JOB CARD"; one detail per row of the Jobs table
// with its columns under their captions (the date "dd/MM/yyyy", the amounts
// "#,##0.00;(#,##0.00)" from whole cents, the status "Completed" or nothing;
// the description, person in charge, address, delivery reference and remarks
// grow to more lines); a report footer with "Date %d" and PrintByLbl. No page
// header, no page footer, no page numbers.
report::Report jobCardLayout();

// The report object over `JobCardRst` (rows with the Jobs table's columns),
// captions from `captions`, PrintByLbl "Prepared By: " and the user. At its
// end the report closes `JobCardRst`, which must stay alive until then.
std::unique_ptr<report::ReportFeed> JobCardRpt(platform::Recordset& JobCardRst, const JobCardCaptions& captions);

} // namespace account_reports
