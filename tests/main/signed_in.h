// Test support for the settings and administration windows: a main window
// signed in directly, and a real sign-in through the sign-in window.
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QTest>

#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"

namespace app { class Parent; }

namespace signed_in {

// The seams these tests start from: a wide screen (no warning), today
// 2026-12-10, modal windows that do not block, no program ever started.
void setUpSeams();

// A main window on `t` with `user` signed in as `name` into year 1, with the
// business texts the sign-in would set. Operators must exist in `t`.
std::unique_ptr<app::Parent> mainWindow(testing_support::TestDatabase& t, int user = 1,
                                        const QString& name = QStringLiteral("Administrator"));

// Signs in through the sign-in window as `userName` with `password`. Returns
// the main window it made (the caller closes it), or null when refused.
std::unique_ptr<app::Parent> signIn(testing_support::TestDatabase& t, const QString& userName,
                                    const QString& password);

// Opens window `W` for operator 2 as if by name: it shows `refusal` under
// "Not Allowed" and closes as soon as it runs; `afterwards` may then press its
// buttons and check that nothing was written. Reports through QtTest.
template <class W>
void checkRefusedToOperator(const char* refusal,
                            const std::function<void(W&, testing_support::TestDatabase&)>& afterwards = {})
{
    testing_support::TestDatabase t;
    t.addUser(2, "clerk", "x");
    auto main = mainWindow(t, 2, QStringLiteral("clerk"));
    testing_support::MessageRecorder boxes;
    W w(*main);
    w.show();
    QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
    QCOMPARE(boxes.last().text, QString::fromUtf8(refusal));
    if (afterwards)
        afterwards(w, t);
    QTRY_VERIFY(!w.isVisible());
}

} // namespace signed_in
