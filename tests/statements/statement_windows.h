// Test support for the statement windows: the statement book on a test
// database with a main window signed in to its year (business "Tamsel
// Traders", user "Ali", currency "Rs"), finding controls and the open preview,
// and the statements' amount format.
#pragma once

#include <memory>

#include <QString>
#include <QWidget>

#include "main/parent.h"
#include "platform/text/money.h"
#include "tests/statements/statement_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"

namespace testing_support {

struct StatementWindows {
    TestDatabase t;
    StatementBook book{t.db()};
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    StatementWindows();
};

// An amount as the statements print it, "#,##0;(#,##0)".
QString whole(platform::Money m);

} // namespace testing_support
