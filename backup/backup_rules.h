// The back-up program's names: the time stamp that names a back-up and a
// safety copy, and the safety copy's file name. Plain text, no files.
#pragma once

#include <string>

class QDateTime;

namespace backup {

// "Tamsel Data Back-Up (Date dd-mm-yy) (Time hh-mm-ss am)" for `when`: a
// twelve-hour clock (00:xx is 12-xx am, 12:xx is 12-xx pm) with a lower-case
// "am" or "pm". The caller reads the clock once per action.
std::string timeStamp(const QDateTime& when);

// The file name of the `n`-th safety copy written at `stamp` (n from 1): the
// stamp and ".MDB", and from the second on " (n)" before the ".MDB", so two
// actions within one second never meet on one name.
std::string safetyCopyName(const std::string& stamp, int n);

} // namespace backup
