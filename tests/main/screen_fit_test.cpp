// Every window of the menus, and a print preview, fit a screen of 1024 by 768
// pixels: a window of the main window's area within that area, a modal window
// on the screen, the commands and columns of each in sight.
#include <memory>

#include <QAbstractItemModel>
#include <QDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTest>

#include "main/menu_table.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

// The screen less a title bar of 30 pixels.
const QSize kScreen{1024, 768 - 30};

bool fits(QSize size, QSize room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}

QString text(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// The columns of each table view of `w` that are shown but end past the
// view's visible width.
QStringList columnsCutOff(QWidget* w)
{
    QStringList cut;
    for (QTableView* view : w->findChildren<QTableView*>()) {
        if (!view->isVisible() || !view->model())
            continue;
        const int visible = view->viewport()->width();
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            if (view->isColumnHidden(c))
                continue;
            const int right = view->horizontalHeader()->sectionPosition(c) + view->columnWidth(c);
            if (right > visible)
                cut << view->objectName() + QLatin1Char('.')
                           + view->model()->headerData(c, Qt::Horizontal).toString();
        }
    }
    return cut;
}

} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(1024 * 15);
        shell::setToday(QDate(2026, 12, 10));
        forms::WindowHost::setModalNonBlocking(true);
        app::registerWindows();
    }

    void everyMenuWindowFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("modal");
        for (const app::MenuEntry& e : app::menuEntries())
            if ((e.opens == app::Opens::Modal || e.opens == app::Opens::Modeless) && e.window
                && app::findWindow(QString::fromUtf8(e.window)))
                QTest::newRow(e.window) << QString::fromUtf8(e.window) << (e.opens == app::Opens::Modal);
    }
    void everyMenuWindowFits()
    {
        QFETCH(QString, window);
        QFETCH(bool, modal);
        MessageRecorder boxes;
        TestDatabase t;
        app::Parent main(t.path());
        main.setAttribute(Qt::WA_DeleteOnClose, false);
        main.PelkUser = 1;
        main.FYID = 1;
        main.FYStart = QDate(2026, 7, 1);
        main.FYEnd = QDate(2027, 6, 30);
        main.MDIForm_Load();
        main.show();
        QVERIFY(fits(main.size(), kScreen));

        main.openWindow(window, modal);
        QWidget* w = modal ? main.findChild<QDialog*>(window) : main.host().find(window);
        QVERIFY2(w, qPrintable(window));
        QCoreApplication::processEvents();
        if (modal) {
            QVERIFY2(fits(w->size(), kScreen), qPrintable(text(w->size())));
            QVERIFY2(fits(w->minimumSizeHint(), kScreen), qPrintable(text(w->minimumSizeHint())));
        } else {
            auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
            QVERIFY(sub);
            const QSize room = main.mdiArea()->viewport()->size();
            QVERIFY2(fits(sub->size(), room), qPrintable(text(sub->size()) + " in " + text(room)));
            QVERIFY2(fits(sub->minimumSizeHint(), room), qPrintable(text(sub->minimumSizeHint())));
        }
        const QStringList cut = columnsCutOff(w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        if (modal)
            w->close();
        main.host().closeAll();
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
