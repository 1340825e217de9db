// The signed-in main window over the hand-made book.
#include "tests/ledgers/hand_book_window.h"

#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/support/signed_in_window.h"

namespace testing_support {

HandBookWindow::HandBookWindow()
{
    shell::setScreenWidthTwips(20000);
    shell::setToday(QDate(2026, 12, 10));
    shell::setNow(QDateTime(QDate(2026, 12, 10), QTime(11, 0)));
    forms::WindowHost::setModalNonBlocking(true);
    main = signedInWindow(t.path(), {.user = 1, .fyId = kYear, .fyStart = QDate(2026, 7, 1),
                                     .fyEnd = QDate(2027, 6, 30)});
    main->AccTimer_Timer();
}

} // namespace testing_support
