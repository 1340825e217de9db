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
#include "tests/support/test_database.h"

namespace report { class PreviewWindow; }

namespace testing_support {

struct StatementWindows {
    TestDatabase t;
    StatementBook book{t.db()};
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    StatementWindows();
};

// The control `name` of `w`; ends the test run when there is none.
template <typename T>
T* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// The preview window open over `w`, or null.
report::PreviewWindow* openPreview(QWidget& w);

// An amount as the statements print it, "#,##0;(#,##0)".
QString whole(platform::Money m);

} // namespace testing_support
