// What the printing windows of the balances and statements share: waiting for
// a report's preview (the buttons stay off while it is open), the title label
// and the captions a statement takes from the sign-in state.
#pragma once

#include <functional>

#include <QString>

#include "reports/statements/statement_layouts.h"

class QLabel;
class QWidget;

namespace app { class Parent; }
namespace platform { class Hierarchy; }

namespace statements {

// Runs `then` once the report preview last shown over `owner` has closed: at
// once when none is open (the show blocked until it closed), else when it
// finishes. Nothing runs when `owner` goes first.
void afterPreview(QWidget* owner, std::function<void()> then);

// Runs `print`, which opens `rows` and shows a report over `owner`. When it
// throws, `rows` is closed, the failure is told ("Cannot Print" for a layout
// that cannot be made, else as forms::showError tells it: a database failure,
// a sum too large to hold) and `failed` runs; else `closed` runs once the
// preview has closed.
void runPrint(QWidget* owner, platform::Hierarchy& rows, const std::function<void()>& print,
              const std::function<void()>& failed, std::function<void()> closed);

// The big bold title label named `objectName` under `parent`.
QLabel* titleLabel(QWidget* parent, const char* objectName, const QString& text);

// A statement's captions: the business, the user, the currency symbol of
// `main` and the period line `period`.
statement_reports::StatementSource statementSource(const app::Parent& main, const QString& period);

} // namespace statements
