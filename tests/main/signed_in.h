// Test support for the settings and administration windows: a main window
// signed in directly, and a real sign-in through the sign-in window.
#pragma once

#include <memory>

#include <QString>

namespace app { class Parent; }
namespace testing_support { class TestDatabase; }

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

} // namespace signed_in
