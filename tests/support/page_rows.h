// Test support: the texts of a laid-out report page as a reader sees them, row
// by row, so printed layouts are compared without pixels.
#pragma once

#include <vector>

#include <QStringList>

#include "platform/report/page_model.h"

namespace testing_support {

// The texts of `page`, one list per row from the top (texts starting at the
// same height), each row left to right.
std::vector<QStringList> rowsOf(const report::Page& page);

} // namespace testing_support
