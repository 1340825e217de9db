// The signed-in main window over the hand-made book.
#include "tests/ledgers/hand_book_window.h"

#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"

namespace testing_support {

HandBookWindow::HandBookWindow()
{
    shell::setScreenWidthTwips(20000);
    shell::setToday(QDate(2026, 12, 10));
    shell::setNow(QDateTime(QDate(2026, 12, 10), QTime(11, 0)));
    forms::WindowHost::setModalNonBlocking(true);
    main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = 1;
    main->FYID = kYear;
    main->FYStart = QDate(2026, 7, 1);
    main->FYEnd = QDate(2027, 6, 30);
    main->MDIForm_Load();
    main->AccTimer_Timer();
}

} // namespace testing_support
