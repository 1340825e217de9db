// The statement windows' test fixture.
#include "tests/statements/statement_windows.h"

#include "platform/text/formats.h"

namespace testing_support {

StatementWindows::StatementWindows()
{
    // No operator is set: these windows are opened as nobody in particular.
    main = signedInWindow(t.path(), {.user = 0, .fyId = kYear, .fyStart = QDate(2026, 7, 1),
                                     .fyEnd = QDate(2027, 6, 30), .business = QStringLiteral("Tamsel Traders"),
                                     .userName = QStringLiteral("Ali"), .currency = QStringLiteral("Rs")});
    messages.clear();
}

QString whole(platform::Money m)
{
    return platform::formatMoneyQ(m, "#,##0;(#,##0)");
}

} // namespace testing_support
