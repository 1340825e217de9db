// Test support for printing: the report window a print left open (modal
// windows do not block in tests) and the texts of its pages, and a signed-in
// main window for the printing windows.
#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include "main/menu_table.h"

namespace app { class Parent; }
namespace report { class PreviewWindow; }
namespace testing_support { class TestDatabase; }

namespace printed {

// The visible report window, or null.
report::PreviewWindow* openPreview();
// The texts of each page of the visible report window, in drawing order;
// nothing when none is open.
std::vector<QStringList> pages();
// All of those texts, page after page.
QStringList texts();
// Closes every visible report window (which runs the reports' end step).
void closeAll();

// The seams every printing test starts from: a wide screen (no warning box),
// today 2026-12-10, and modal windows that do not block.
void setUpSeams();

// A main window on `t`, signed in as `user` into year 1 (2026-07-01 to
// 2027-06-30), currency "Rupees", every kind printing with line descriptions.
std::unique_ptr<app::Parent> signedIn(testing_support::TestDatabase& t, int user = 1);

// Checks that the menu entry (`menu`, `index`) opens the modal window named
// `window` for an operator only while right `rightId` is not refused: refused,
// "Not Allowed" and no window; allowed, no box and the window. Reports through
// QtTest; the caller ends the test when it failed.
void checkMenuEntry(app::Menu menu, int index, int rightId, const char* window);

} // namespace printed
