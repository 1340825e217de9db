// The main window: menus and their guards, the dashboard, the account list and the close.
#include "main/parent.h"

#include <QAction>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "main/navigation.h"
#include "main/rights.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::Menu;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

// A signed-in main window on `t` for `user`, loaded; deleted when the test ends.
std::unique_ptr<app::Parent> signedIn(TestDatabase& t, int user, const QString& name = QStringLiteral("u"))
{
    auto main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = user;
    main->UName = name;
    main->FYID = 1;
    main->MDIForm_Load();
    return main;
}

struct Starts {
    QStringList programs;
    bool succeed = true;
    shell::StartHook previous;
    Starts()
    {
        previous = shell::setStartHook([this](const QString& p, const QStringList&) {
            programs << p;
            return succeed;
        });
    }
    ~Starts() { shell::setStartHook(std::move(previous)); }
};

void click(app::Parent& main, Menu menu, int index)
{
    switch (menu) {
    case Menu::Gen: main.Gen_Click(index); break;
    case Menu::Maintain: main.Maintain_Click(index); break;
    case Menu::VouchMod: main.VouchMod_Click(index); break;
    case Menu::Reports: main.Reports_Click(index); break;
    case Menu::Hlp: main.Hlp_Click(index); break;
    }
}

} // namespace

class ParentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }

    void showsEveryMenuEntryWithItsCaptionAndIndex()
    {
        TestDatabase t;
        auto main = signedIn(t, 1);
        struct Expected { Menu menu; int index; const char* caption; };
        const Expected entries[] = {
            {Menu::Gen, 10, "&Welcome Screen"}, {Menu::Gen, 20, "Company &Setup"},
            {Menu::Gen, 50, "&User Logins"}, {Menu::Gen, 60, "User Ri&ghts"}, {Menu::Gen, 70, "&Passwords"},
            {Menu::Gen, 90, "&Financial Years"}, {Menu::Gen, 95, "Clear Transactions"},
            {Menu::Gen, 100, "&Currency"}, {Menu::Gen, 120, "&Stowkeep"}, {Menu::Gen, 140, "E&xit"},
            {Menu::Maintain, 10, "&Chart of Accounts"}, {Menu::Maintain, 20, "&Accounts Opening Balances"},
            {Menu::Maintain, 50, "Posting Pr&eferences"}, {Menu::Maintain, 60, "Printing Pre&ferences"},
            {Menu::Maintain, 80, "Jobs"},
            {Menu::VouchMod, 10, "&Purchase Voucher"}, {Menu::VouchMod, 20, "Purchase &Return Voucher"},
            {Menu::VouchMod, 40, "&Sales Voucher"}, {Menu::VouchMod, 50, "Sale Return &Voucher"},
            {Menu::VouchMod, 70, "&Cash Payment Voucher"}, {Menu::VouchMod, 80, "C&ash Receipt Voucher"},
            {Menu::VouchMod, 100, "&Bank Payment Voucher"}, {Menu::VouchMod, 110, "Ban&k Receipt Voucher"},
            {Menu::VouchMod, 130, "&General Journal Voucher"},
            {Menu::Reports, 10, "&Journal Report"}, {Menu::Reports, 20, "Print &Vouchers"},
            {Menu::Reports, 35, "Job Ledgers"}, {Menu::Reports, 40, "&View Accounts Ledgers"},
            {Menu::Reports, 50, "&Print Accounts Ledger"}, {Menu::Reports, 60, "&Trial Balance"},
            {Menu::Reports, 80, "&Income Statement"}, {Menu::Reports, 90, "&Balance Sheet"},
            {Menu::Hlp, 10, "&About Tamsel Standard"},
        };
        for (const auto& e : entries) {
            QAction* a = main->action(e.menu, e.index);
            QVERIFY2(a, e.caption);
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
        }
        QStringList titles;
        for (QAction* m : main->menuBar()->actions())
            titles << m->text();
        QCOMPARE(titles, (QStringList{"&Administration", "&Maintain", "&Vouchers", "&Reports", "A&bout"}));
        const auto separators = main->findChild<QMenu*>("Gen")->actions();
        QCOMPARE(std::count_if(separators.begin(), separators.end(), [](QAction* a) { return a->isSeparator(); }),
                 4);
        // The kinds' entries, made from the table of kinds, sit in order between their separators.
        QStringList vouchers;
        for (QAction* a : main->findChild<QMenu*>("VouchMod")->actions())
            vouchers << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(vouchers, (QStringList{"&Purchase Voucher", "Purchase &Return Voucher", "-", "&Sales Voucher",
                                        "Sale Return &Voucher", "-", "&Cash Payment Voucher", "C&ash Receipt Voucher",
                                        "-", "&Bank Payment Voucher", "Ban&k Receipt Voucher", "-",
                                        "&General Journal Voucher"}));
    }

    void refusesAnOperatorEachGuardedEntryWithItsText_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("right");   // 0: administrator-only entry
        QTest::addColumn<QString>("text");
        auto admin = [](int index, const char* text) {
            QTest::addRow("Administration %d", index) << int(Menu::Gen) << index << 0 << QString::fromUtf8(text);
        };
        admin(20, "You do not have access to edit business details.");
        admin(50, "You do not have access to edit user logins.");
        admin(60, "You do not have access to edit user rights.");
        admin(90, "You do not have access to edit financial years.");
        admin(95, "You do not have access to clear transactions.");
        admin(100, "You do not have access to edit currency settings.");
        auto guarded = [](Menu menu, int index, int right) {
            QTest::addRow("menu %d entry %d right %d", int(menu), index, right)
                << int(menu) << index << right << QString();
        };
        guarded(Menu::Maintain, 10, 12);
        guarded(Menu::Maintain, 20, 14);
        guarded(Menu::Maintain, 50, 18);
        guarded(Menu::Maintain, 60, 20);
        guarded(Menu::Maintain, 80, 30);
        const int vouchers[][2] = {{10, 42}, {20, 52}, {40, 62}, {50, 72}, {70, 82},
                                   {80, 92}, {100, 102}, {110, 112}, {130, 122}};
        for (const auto& v : vouchers)
            guarded(Menu::VouchMod, v[0], v[1]);
        guarded(Menu::Reports, 10, 180);
        guarded(Menu::Reports, 20, 184);
        guarded(Menu::Reports, 35, 30);
        guarded(Menu::Reports, 40, 240);
        guarded(Menu::Reports, 50, 240);
        guarded(Menu::Reports, 60, 248);
        guarded(Menu::Reports, 80, 252);
        guarded(Menu::Reports, 90, 254);
    }
    void refusesAnOperatorEachGuardedEntryWithItsText()
    {
        QFETCH(int, menu);
        QFETCH(int, index);
        QFETCH(int, right);
        QFETCH(QString, text);
        TestDatabase t;
        t.addUser(3, "clerk", "");
        if (right != 0)
            t.refuse(3, right);
        auto main = signedIn(t, 3);
        MessageRecorder boxes;
        click(*main, Menu(menu), index);
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        QVERIFY(boxes.last().informationIcon);
        if (right != 0) {
            const auto row = app::loadRight(t.db(), right, 3);
            text = QStringLiteral("You do not have access to ") + QString::fromStdString(row.rightType);
        }
        QCOMPARE(boxes.last().text, text);

        // Allowed again, the same entry asks nothing (administrator-only entries stay refused).
        if (right != 0) {
            t.refuse(3, right, false);
            boxes.clear();
            click(*main, Menu(menu), index);
            QVERIFY(boxes.boxes().empty());
        }
    }

    void neverLooksTheAdministratorUp()
    {
        TestDatabase t;
        t.db().exec("UPDATE userrights SET operator1 = 1, operator2 = 1, operator3 = 1, operator4 = 1, "
                    "operator5 = 1, operator6 = 1, operator7 = 1, operator8 = 1, operator9 = 1");
        auto main = signedIn(t, 1);
        MessageRecorder boxes;
        for (const auto& e : app::menuEntries()) {
            if (e.opens == app::Opens::Exit || e.opens == app::Opens::Backup)
                continue;
            click(*main, e.menu, e.index);
        }
        QVERIFY(boxes.boxes().empty());
        QVERIFY(main->CheckRight(254));
        // Even with the table unreadable the administrator is allowed: nothing is read.
        main->Pelkconn->exec("DROP TABLE userrights");
        QVERIFY(main->CheckRight(12));
    }

    void readsEachOperatorsOwnColumnAfresh()
    {
        TestDatabase t;
        t.addUser(2, "first", "");
        t.addUser(10, "last", "");
        t.refuse(10, 124);
        auto first = signedIn(t, 2);
        auto last = signedIn(t, 10);
        MessageRecorder boxes;
        QVERIFY(first->CheckRight(124));
        QVERIFY(!last->CheckRight(124));
        t.refuse(2, 124);
        QVERIFY(!first->CheckRight(124));
        QCOMPARE(boxes.boxes().size(), std::size_t{2});
    }

    void hidesTheDashboardFromAnOperatorRefusedRightTwo()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        t.addUser(3, "other", "");
        t.refuse(2, app::right::Welcome);
        auto refused = signedIn(t, 2, QStringLiteral("clerk"));
        QVERIFY(!refused->PelkWelcome);
        QVERIFY(!refused->host().find(QStringLiteral("Navigation")));
        MessageRecorder boxes;
        refused->Gen_Click(10);
        QCOMPARE(boxes.last().text, QStringLiteral("You do not have access to welcome screen."));
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        // The check is made once per sign-in.
        t.refuse(2, app::right::Welcome, false);
        boxes.clear();
        refused->Gen_Click(10);
        QCOMPARE(boxes.boxes().size(), std::size_t{1});

        auto allowed = signedIn(t, 3, QStringLiteral("other"));
        QVERIFY(allowed->PelkWelcome);
        QWidget* nav = allowed->host().find(QStringLiteral("Navigation"));
        QVERIFY(nav);
        QCOMPARE(nav->windowTitle(), QStringLiteral("Account Dashboard - other"));
        QCOMPARE(qobject_cast<QMdiSubWindow*>(nav->parentWidget())->pos(), QPoint(0, 0));
        // Closed by the user, the entry opens it again.
        nav->parentWidget()->close();
        QTRY_VERIFY(!allowed->host().find(QStringLiteral("Navigation")));
        allowed->Gen_Click(10);
        QVERIFY(allowed->host().find(QStringLiteral("Navigation")));
    }

    void warnsOnlyWhenTheScreenIsNarrowerThanTheMinimum_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<bool>("warned");
        QTest::newRow("narrower") << 14999 << true;
        QTest::newRow("exactly the minimum") << 15000 << false;
        QTest::newRow("wider") << 19200 << false;
    }
    void warnsOnlyWhenTheScreenIsNarrowerThanTheMinimum()
    {
        QFETCH(int, twips);
        QFETCH(bool, warned);
        TestDatabase t;
        shell::setScreenWidthTwips(twips);
        MessageRecorder boxes;
        auto main = signedIn(t, 1);
        shell::setScreenWidthTwips(20000);
        QCOMPARE(!boxes.boxes().empty(), warned);
        if (warned) {
            QCOMPARE(boxes.last().title, QStringLiteral("Screen Display Resolution"));
            QVERIFY(boxes.last().text.startsWith(QStringLiteral("It has been detected")));
        }
        QVERIFY(main->Pelkconn);   // start-up goes on either way
    }

    void loadsTheAccountListOncePerEnabling()
    {
        TestDatabase t;
        auto main = signedIn(t, 1);
        QVERIFY(main->accTimer()->isActive());
        QCOMPARE(main->accTimer()->interval(), 1000);
        QVERIFY(!main->AccListRst.isOpen());
        QTRY_VERIFY_WITH_TIMEOUT(main->AccListRst.isOpen(), 3000);
        QVERIFY(!main->accTimer()->isActive());
        QCOMPARE(main->AccListRst.recordCount(), std::size_t{0});

        const auto nature = t.db().scalar("SELECT MIN(NatureID) FROM FSNature").toInt();
        const auto type = t.db().scalar("SELECT StartAt FROM FSNature WHERE NatureID = ?", {nature}).toInt();
        t.db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, 'T', ?)", {type, nature});
        t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'S', ?)", {type * 100 + 1, type});
        t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'A', ?, ?)",
                    {(type * 100 + 1) * 1000 + 1, type, type * 100 + 1});
        main->enableAccTimer();
        QTRY_COMPARE_WITH_TIMEOUT(main->AccListRst.recordCount(), std::size_t{1}, 3000);
    }

    void asksAboutABackUpWhenClosing_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("backupsStarted");
        QTest::addColumn<int>("boxesShown");
        QTest::newRow("cancel keeps it open") << int(forms::Answer::Cancel) << true << false << 0 << 1;
        QTest::newRow("no closes") << int(forms::Answer::No) << true << true << 0 << 1;
        QTest::newRow("yes starts the back-up and closes") << int(forms::Answer::Yes) << true << true << 1 << 1;
        QTest::newRow("yes without a back-up program stays open")
            << int(forms::Answer::Yes) << false << false << 1 << 2;
    }
    void asksAboutABackUpWhenClosing()
    {
        QFETCH(int, answer);
        QFETCH(bool, starts);
        QFETCH(bool, closed);
        QFETCH(int, backupsStarted);
        QFETCH(int, boxesShown);
        TestDatabase t;
        auto main = signedIn(t, 1);
        main->show();
        Starts started;
        started.succeed = starts;
        MessageRecorder boxes;
        boxes.answer(forms::Answer(answer));
        main->Gen_Click(140);
        QCOMPARE(int(boxes.boxes().size()), boxesShown);
        const auto& question = boxes.boxes().front();
        QCOMPARE(question.title, QStringLiteral("Back-Up Confirmation"));
        QCOMPARE(question.text, QStringLiteral("Do you want to save back-up of your data?"));
        QCOMPARE(question.buttons, forms::Buttons::YesNoCancel);
        QVERIFY(!question.informationIcon);
        QCOMPARE(started.programs.size(), backupsStarted);
        if (backupsStarted)
            QVERIFY(started.programs.front().endsWith(QStringLiteral("/Stowkeep")));
        QCOMPARE(main->isVisible(), !closed);
        QCOMPARE(main->Pelkconn == nullptr, closed);
    }

    void backUpEntryClosesWithoutAskingOnlyWhenTheProgramStarts()
    {
        TestDatabase t;
        auto main = signedIn(t, 1);
        main->show();
        Starts started;
        started.succeed = false;
        MessageRecorder boxes;
        main->Gen_Click(120);
        QVERIFY(boxes.boxes().empty());
        QVERIFY(main->isVisible());
        QVERIFY(!main->ExitOpt);
        // A later close still asks.
        boxes.answer(forms::Answer::Cancel);
        main->close();
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QVERIFY(main->isVisible());

        started.succeed = true;
        boxes.clear();
        main->Gen_Click(120);
        QVERIFY(boxes.boxes().empty());
        QVERIFY(!main->isVisible());
        QCOMPARE(started.programs.size(), 2);
    }

    void opensRegisteredWindowsOnlyAndModelessOnesOnce()
    {
        app::clearWindows();
        int made = 0;
        app::registerWindow(QStringLiteral("AccLedgers"), [&](app::Parent&) {
            ++made;
            return new QWidget;
        });
        app::registerWindow(QStringLiteral("Jobs"), [](app::Parent&) { return new QDialog; });
        TestDatabase t;
        auto main = signedIn(t, 1);
        QVERIFY(main->action(Menu::Reports, 40)->isEnabled());
        QVERIFY(main->action(Menu::Maintain, 80)->isEnabled());
        QVERIFY(!main->action(Menu::Maintain, 10)->isEnabled());
        QVERIFY(main->action(Menu::Gen, 10)->isEnabled());

        main->Reports_Click(40);
        main->Reports_Click(40);
        QCOMPARE(made, 1);
        QWidget* ledger = main->host().find(QStringLiteral("AccLedgers"));
        QVERIFY(ledger);
        QCOMPARE(main->mdiArea()->activeSubWindow()->widget(), ledger);

        main->Maintain_Click(80);
        auto* jobs = main->findChild<QDialog*>(QStringLiteral("Jobs"));
        QVERIFY(jobs);
        QVERIFY(jobs->isModal());
        QVERIFY(jobs->isVisible());
        jobs->close();
        QTRY_VERIFY(!main->findChild<QDialog*>(QStringLiteral("Jobs")));

        // An unregistered name opens nothing and says nothing.
        MessageRecorder boxes;
        main->Maintain_Click(10);
        QVERIFY(boxes.boxes().empty());
        QVERIFY(!main->openWindow(QStringLiteral("ModifyAccounts"), true));
        app::clearWindows();
    }

    void closesCleanlyBeforeTheAccountListIsLoaded()
    {
        TestDatabase t;
        QPointer<app::Parent> main = new app::Parent(t.path());
        main->PelkUser = 1;
        QVERIFY(main->MDIForm_Load());
        main->show();
        QVERIFY(main->accTimer()->isActive());
        main->ExitOpt = true;
        QVERIFY(main->close());
        QTRY_VERIFY(main.isNull());
    }
};

WINDOW_TEST_MAIN(ParentTest)
#include "parent_test.moc"
