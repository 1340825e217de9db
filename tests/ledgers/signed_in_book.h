// Test support for the ledger windows: the hand-made book on a delivered test
// database, a main window signed in to its year with a recorder answering
// every box.
#pragma once

#include <memory>

#include "main/parent.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"

namespace testing_support {

struct SignedInBook {
    TestDatabase t;
    HandBook book{t.db()};
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    // The administrator signed in to the book's year (2026-07-01 to
    // 2027-06-30), currency "Rs", company "Tamsel Traders", user "Ali", with
    // the shared account list loaded; no box recorded yet.
    SignedInBook();
};

} // namespace testing_support
