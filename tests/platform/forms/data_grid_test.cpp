// The data grid on a plain model: when its hooks run and what a refusal keeps,
// Tab and Enter in both navigations, Delete, focus and the cell positions.
#include "platform/forms/data_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>

#include "tests/support/window_test_main.h"

using forms::DataGrid;
using forms::TabAction;

namespace {

// A window with the grid over 4 x 3 cells "r<row>c<col>" and a box after it.
struct Fixture {
    // Declared before the window, so the hooks' record outlives the grid.
    QStandardItemModel model{4, 3};
    QStringList events;
    DataGrid::Hooks hooks;
    QWidget window;
    DataGrid* grid = new DataGrid(&window);
    QLineEdit* after = new QLineEdit(&window);

    Fixture()
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                model.setItem(r, c, new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c)));
        grid->setModel(&model);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(after);
        hooks.beforeColEdit = [this](int c, bool&) { events << QStringLiteral("edit %1").arg(c); };
        hooks.beforeColUpdate = [this](int c, const QString& old, const QString& text, bool&) {
            events << QStringLiteral("update %1 %2>%3").arg(c).arg(old, text);
        };
        hooks.afterColUpdate = [this](int c) { events << QStringLiteral("after %1").arg(c); };
        hooks.keyDown = [this](int key, Qt::KeyboardModifiers, bool&) {
            events << QStringLiteral("down %1").arg(key, 0, 16);
        };
        hooks.keyPress = [this](QChar& ch) { events << QStringLiteral("press %1").arg(ch.unicode()); };
        hooks.keyUp = [this](int key, Qt::KeyboardModifiers) { events << QStringLiteral("up %1").arg(key, 0, 16); };
        hooks.gotFocus = [this] { events << QStringLiteral("got"); };
        hooks.lostFocus = [this] { events << QStringLiteral("lost"); };
        hooks.afterDelete = [this] { events << QStringLiteral("deleted"); };
        grid->setHooks(hooks);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
        grid->setCurrentCell(0, 0);
        grid->setFocus();
        events.clear();
    }
    void press(Qt::Key key)
    {
        QTest::keyPress(QApplication::focusWidget(), key);
        QTest::keyRelease(QApplication::focusWidget(), key);
    }
    // Each key goes down where the focus is and comes up where the focus went,
    // as from a keyboard.
    void type(const QString& keys)
    {
        for (const QChar c : keys) {
            QTest::keyPress(QApplication::focusWidget(), c.toLatin1());
            QTest::keyRelease(QApplication::focusWidget(), c.toLatin1());
        }
    }
    QLineEdit* editor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    QPoint cellCenter(int row, int col) { return grid->visualRect(model.index(row, col)).center(); }
};

} // namespace

class DataGridTest : public QObject {
    Q_OBJECT

private slots:
    void runsEachKeyThroughTheHooksOnce()
    {
        Fixture f;
        f.type(QStringLiteral("a"));   // opens the editor and lands in it
        QVERIFY(f.grid->isEditing());
        QCOMPARE(f.editor()->text(), QStringLiteral("a"));
        f.type(QStringLiteral("b"));
        QCOMPARE(f.grid->currentText(), QStringLiteral("ab"));
        QCOMPARE(f.events, (QStringList{"down 41", "press 97", "edit 0", "up 41", "down 42", "press 98", "up 42"}));
    }

    void startsEditingOnlyWhenTheHookAllows_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("typed character") << "type";
        QTest::addRow("F2") << "f2";
        QTest::addRow("double-click") << "dblclick";
    }
    void startsEditingOnlyWhenTheHookAllows()
    {
        QFETCH(QString, how);
        Fixture f;
        bool refuse = true;
        f.hooks.beforeColEdit = [&refuse](int, bool& cancel) { cancel = refuse; };
        f.grid->setHooks(f.hooks);
        f.grid->setCurrentCell(1, 1);
        auto start = [&] {
            if (how == QLatin1String("type"))
                f.type(QStringLiteral("r"));   // "r..." starts every cell: no search may jump to one
            else if (how == QLatin1String("f2"))
                f.press(Qt::Key_F2);
            else
                QTest::mouseDClick(f.grid->viewport(), Qt::LeftButton, {}, f.cellCenter(1, 1));
        };
        start();
        QVERIFY(!f.grid->isEditing());
        QCOMPARE(f.grid->currentRow(), 1);
        QCOMPARE(f.grid->currentColumn(), 1);
        refuse = false;
        start();
        QVERIFY(f.grid->isEditing());
    }

    void commitsChangedTextOnlyWithTheOldAndNewValues()
    {
        Fixture f;
        f.grid->setTabAction(TabAction::GridNavigation);
        f.press(Qt::Key_F2);
        f.press(Qt::Key_Tab);   // nothing typed: nothing to commit
        QVERIFY(!f.events.join(' ').contains(QStringLiteral("update")));
        QCOMPARE(f.grid->currentColumn(), 1);
        f.events.clear();
        f.press(Qt::Key_F2);
        f.editor()->setText(QStringLiteral("new"));
        f.press(Qt::Key_Tab);
        QVERIFY(f.events.contains(QStringLiteral("update 1 r0c1>new")));
        QVERIFY(f.events.indexOf(QStringLiteral("after 1")) > f.events.indexOf(QStringLiteral("update 1 r0c1>new")));
        QCOMPARE(f.grid->text(0, 1), QStringLiteral("new"));
        QCOMPARE(f.grid->currentColumn(), 2);
    }

    void aRefusedCommitKeepsTheOldValueAndTheCell_data()
    {
        QTest::addColumn<QString>("leaveBy");
        QTest::addRow("Tab in grid navigation") << "tab";
        QTest::addRow("Enter") << "enter";
        QTest::addRow("Down") << "down";
        QTest::addRow("click on another cell") << "click";
    }
    void aRefusedCommitKeepsTheOldValueAndTheCell()
    {
        QFETCH(QString, leaveBy);
        Fixture f;
        f.hooks.beforeColUpdate = [](int, const QString&, const QString&, bool& cancel) { cancel = true; };
        f.hooks.keyPress = [&f](QChar& ch) {
            if (ch == QChar(13)) {
                f.grid->setTabAction(TabAction::GridNavigation);
                ch = QChar(9);
            }
        };
        f.grid->setHooks(f.hooks);
        f.grid->setTabAction(TabAction::GridNavigation);
        f.grid->setCurrentCell(1, 1);
        f.press(Qt::Key_F2);
        f.editor()->setText(QStringLiteral("refused"));
        if (leaveBy == QLatin1String("tab"))
            f.press(Qt::Key_Tab);
        else if (leaveBy == QLatin1String("enter"))
            f.press(Qt::Key_Return);
        else if (leaveBy == QLatin1String("down"))
            f.press(Qt::Key_Down);
        else
            QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.cellCenter(3, 2));
        QVERIFY(!f.grid->isEditing());
        QCOMPARE(f.grid->text(1, 1), QStringLiteral("r1c1"));
        QCOMPARE(f.grid->currentRow(), 1);
        QCOMPARE(f.grid->currentColumn(), 1);
        // The next click moves as usual.
        QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.cellCenter(3, 2));
        QCOMPARE(f.grid->currentRow(), 3);
    }

    void tabMovesBetweenCellsOrLeavesTheGrid()
    {
        Fixture f;
        f.grid->setTabAction(TabAction::GridNavigation);
        f.grid->setCurrentCell(0, 2);
        f.press(Qt::Key_Tab);   // last cell of a row: first cell of the next
        QCOMPARE(f.grid->currentRow(), 1);
        QCOMPARE(f.grid->currentColumn(), 0);
        f.press(Qt::Key_Backtab);
        QCOMPARE(f.grid->currentRow(), 0);
        QCOMPARE(f.grid->currentColumn(), 2);
        f.grid->setCurrentCell(3, 2);
        f.press(Qt::Key_Tab);   // the very last cell stays
        QCOMPARE(f.grid->currentRow(), 3);
        QCOMPARE(f.grid->currentColumn(), 2);
        QVERIFY(f.grid->hasFocus());

        f.grid->setTabAction(TabAction::ControlNavigation);
        f.events.clear();
        f.press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.after));
        QCOMPARE(f.events.back(), QStringLiteral("lost"));
    }

    void reportsFocusOnlyWhenItCrossesTheGridsEdge()
    {
        Fixture f;
        f.press(Qt::Key_F2);                      // view to editor: still inside
        f.press(Qt::Key_Escape);                  // editor to view: still inside
        QVERIFY(!f.grid->isEditing());
        QVERIFY(!f.events.contains(QStringLiteral("got")) && !f.events.contains(QStringLiteral("lost")));
        f.press(Qt::Key_F2);
        f.after->setFocus();                      // out, from the editor
        QCOMPARE(f.events.count(QStringLiteral("lost")), 1);
        f.grid->setFocus();
        QCOMPARE(f.events.count(QStringLiteral("got")), 1);
    }

    void deletesSelectedRowsOnlyWhenAllowed()
    {
        Fixture f;
        f.grid->selectRow(1);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.model.rowCount(), 4);
        f.grid->setAllowDelete(true);
        f.grid->selectRow(1);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.model.rowCount(), 3);
        QCOMPARE(f.grid->text(1, 0), QStringLiteral("r2c0"));
        QCOMPARE(f.events.count(QStringLiteral("deleted")), 1);
        // While a cell is edited, Delete belongs to the editor.
        f.grid->selectRow(0);
        f.press(Qt::Key_F2);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.model.rowCount(), 3);
    }

    void givesRowTopsAmongVisibleRowsAndColumnEdges()
    {
        Fixture f;
        f.grid->setCurrentCell(2, 1);
        QCOMPARE(f.grid->visibleRow(), 2);
        const QRect cell = f.grid->visualRect(f.model.index(2, 1));
        const QPoint inGrid = f.grid->viewport()->mapTo(f.grid, cell.topLeft());
        QCOMPARE(f.grid->rowTop(2), inGrid.y());
        QCOMPARE(f.grid->columnLeft(1), inGrid.x());
        QVERIFY(f.grid->rowTop(0) >= f.grid->horizontalHeader()->height());
        QCOMPARE(forms::twipsToPixels(15), 1);
        QCOMPARE(forms::twipsToPixels(3660), 244);
    }
};

WINDOW_TEST_MAIN(DataGridTest)
#include "data_grid_test.moc"
