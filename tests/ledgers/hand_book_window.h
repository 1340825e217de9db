// Test support: the hand-made book with the main window signed into its year
// (July 1, 2026 to June 30, 2027), a message recorder and the exports captured,
// for the tests of windows that export. Sets the seams of today (December 10,
// 2026), the screen and modal windows.
#pragma once

#include <memory>

#include "main/parent.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/export_capture.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"

namespace testing_support {

struct HandBookWindow {
    HandBookWindow();
    TestDatabase t;
    HandBook book{t.db()};
    MessageRecorder messages;
    ExportCapture exports;
    std::unique_ptr<app::Parent> main;
};

} // namespace testing_support
