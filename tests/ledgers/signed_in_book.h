// Test support for the ledger windows: the hand-made book on a delivered test
// database, a main window signed in to its year with a recorder answering
// every box, and the text of a box or label found by name.
#pragma once

#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

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

// The text of the box or label named `name`.
inline QString text(QWidget& w, const char* name)
{
    if (auto* box = w.findChild<QLineEdit*>(QLatin1String(name)))
        return box->text();
    return child<QLabel>(w, name)->text();
}

} // namespace testing_support
