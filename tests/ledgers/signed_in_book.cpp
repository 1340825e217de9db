// The signed-in hand-made book.
#include "tests/ledgers/signed_in_book.h"

namespace testing_support {

SignedInBook::SignedInBook()
{
    main = signedInWindow(t.path(), {.user = 1, .fyId = kYear, .fyStart = QDate(2026, 7, 1),
                                     .fyEnd = QDate(2027, 6, 30), .business = QStringLiteral("Tamsel Traders"),
                                     .userName = QStringLiteral("Ali"), .currency = QStringLiteral("Rs")});
    main->AccTimer_Timer();
    messages.clear();
}

} // namespace testing_support
