// The chart search on a delivered database: opened by the chart editor's
// "Find", narrowed as the user types, and positioning the editor on the
// account double-clicked.
#include "accounts/chart_search.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/modify_accounts.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/support/chart_rows.h"
#include "tests/support/message_recorder.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using accounts::ChartofAccounts;
using accounts::ModifyAccounts;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

using Codes = std::vector<std::int64_t>;

const Codes kAll{10101001, 10101002, 10102001, 20101001, 20101002, 30101001};

// A signed-in main window over a small chart, the editor, and its search from "Find".
struct Fixture {
    MessageRecorder boxes;
    TestDatabase t;
    std::unique_ptr<app::Parent> main;
    std::unique_ptr<ModifyAccounts> editor;

    Fixture()
    {
        testing_support::addChart(t.db(), {{101, "Land"},
                                           {10101, "Freehold"},
                                           {10101001, "Plot 50% share"},
                                           {10101002, "Plot 50 share"},
                                           {10102, "Leasehold"},
                                           {10102001, "Warehouse"},
                                           {201, "Loans"},
                                           {20101, "Bank loans"},
                                           {20101001, "City Bank"},
                                           {20101002, "Jim's loan 101"},
                                           {301, "Capital"},
                                           {30101, "Owners"},
                                           {30101001, "Owner's capital"}});
        main = testing_support::signedInWindow(t.path(), {.user = 1, .fyId = 1});
        main->accTimer()->stop();
        editor = std::make_unique<ModifyAccounts>(*main);
        editor->show();
    }

    ChartofAccounts* find()
    {
        auto* button = editor->findChild<QPushButton*>(QStringLiteral("FindBttn"));
        if (!button->isEnabled())
            return nullptr;
        button->click();
        return editor->findChild<ChartofAccounts*>();
    }
    QString marked(const char* list) const
    {
        const QListWidgetItem* item = editor->findChild<QListWidget*>(QLatin1String(list))->currentItem();
        return item ? item->text() : QString();
    }
    QString box(const char* name) const { return editor->findChild<QLineEdit*>(QLatin1String(name))->text(); }
};

QLineEdit* searchBox(ChartofAccounts& s)
{
    return s.findChild<QLineEdit*>(QStringLiteral("SearchBox"));
}

forms::DataGrid* grid(ChartofAccounts& s)
{
    return s.findChild<forms::DataGrid*>(QStringLiteral("InvGrid"));
}

} // namespace

class ChartSearchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }

    void opensFromFindWithTheWholeChartInItsColumns()
    {
        Fixture f;
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        QVERIFY(s->isModal());
        QCOMPARE(s->windowTitle(), QStringLiteral("Chart of Accounts"));
        QCOMPARE(s->listedCodes(), kAll);
        auto* model = grid(*s)->model();
        const QStringList captions{"AccCode", "Account Name", "Level1ID", "Main Account Type", "", "Sub Account Type"};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), captions[c]);
        const QStringList first{"10101001", "10101001  Plot 50% share", "101", "101  Land", "10101", "10101  Freehold"};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid(*s)->text(0, c), first[c]);
        QCOMPARE(s->findChild<QLineEdit*>(QStringLiteral("ACode"))->text(), QStringLiteral("10101001"));
    }

    void narrowsAsTheTextChangesAndWidensAgain()
    {
        Fixture f;
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        QLineEdit* box = searchBox(*s);
        box->setFocus();
        const std::pair<const char*, Codes> steps[] = {
            {"1", kAll},
            {"10", kAll},
            {"101", kAll},                                // every level's codes hold it, and Jim's name
            {"loan 1", {20101002}},
        };
        for (const auto& [typed, expected] : steps) {
            box->clear();
            QTest::keyClicks(box, QString::fromUtf8(typed));
            QCOMPARE(s->listedCodes(), expected);
        }
        box->clear();
        QTest::keyClicks(box, QStringLiteral("LOAN"));
        QCOMPARE(s->listedCodes(), (Codes{20101001, 20101002}));   // the sub type's name, any case
        QTest::keyClicks(box, QStringLiteral("s"));
        QCOMPARE(s->listedCodes(), (Codes{20101001, 20101002}));
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(s->listedCodes(), Codes{});                        // nothing: an empty grid, no message
        QCOMPARE(s->findChild<QLineEdit*>(QStringLiteral("ACode"))->text(), QString());
        QTest::keyClick(box, Qt::Key_Backspace);                    // back again from nothing
        QCOMPARE(s->listedCodes(), (Codes{20101001, 20101002}));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString());
        QCOMPARE(s->listedCodes(), kAll);
        QVERIFY(f.boxes.boxes().empty());
    }

    void findsTheTypedTextLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Codes>("expected");
        QTest::newRow("percent") << "50%" << Codes{10101001};
        QTest::newRow("percent alone") << "%" << Codes{10101001};
        QTest::newRow("underscore") << "_" << Codes{};
        QTest::newRow("quote") << "'s" << Codes{20101002, 30101001};
        QTest::newRow("backslash") << "\\" << Codes{};
        QTest::newRow("code and name") << "10102001  ware" << Codes{10102001};
    }
    void findsTheTypedTextLiterally()
    {
        QFETCH(QString, text);
        QFETCH(Codes, expected);
        Fixture f;
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        searchBox(*s)->insert(text);   // as a paste with the mouse leaves it
        QCOMPARE(s->listedCodes(), expected);
    }

    void refreshReadsTheChartAgainAndEmptiesTheBox()
    {
        Fixture f;
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        searchBox(*s)->setText(QStringLiteral("nothing"));
        QCOMPARE(s->listedCodes(), Codes{});
        f.t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (30101002, 'New', 301, 30101)");
        s->findChild<QPushButton*>(QStringLiteral("RefBttn"))->click();
        QCOMPARE(searchBox(*s)->text(), QString());
        Codes all = kAll;
        all.push_back(30101002);
        QCOMPARE(s->listedCodes(), all);
        s->RefBttn_Click();   // with the box empty already
        QCOMPARE(s->listedCodes(), all);
    }

    void doubleClickPositionsTheEditorOnTheAccountAndCloses()
    {
        Fixture f;
        QCOMPARE(f.box("AccCode"), QStringLiteral("10101001"));   // the editor starts on the first account
        f.editor->findChild<QLineEdit*>(QStringLiteral("CatCodeTxt"))->setText(QStringLiteral("typed, not saved"));
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        QPointer<ChartofAccounts> alive(s);
        searchBox(*s)->setText(QStringLiteral("loan"));
        auto* g = grid(*s);
        QVERIFY(QTest::qWaitForWindowExposed(s));
        const QRect cell = g->visualRect(g->model()->index(1, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());

        QCOMPARE(f.marked("L1List"), QStringLiteral("Loans"));
        QCOMPARE(f.marked("L2List"), QStringLiteral("Bank loans"));
        QCOMPARE(f.marked("L3List"), QStringLiteral("Jim's loan 101"));
        QCOMPARE(f.box("MainCode"), QStringLiteral("201"));
        QCOMPARE(f.box("CatCodeTxt"), QStringLiteral("Loans"));   // the main types were read afresh
        QCOMPARE(f.box("SubCode"), QStringLiteral("20101"));
        QCOMPARE(f.box("AccCode"), QStringLiteral("20101002"));
        QCOMPARE(f.box("AccCodeTxt"), QStringLiteral("Jim's loan 101"));
        QCOMPARE(f.editor->findChild<QListWidget*>(QStringLiteral("L3List"))->count(), 2);
        QVERIFY(!alive || !alive->isVisible());
        QTRY_VERIFY(!alive);

        // A sub type other than the first of its main type.
        s = f.find();
        QVERIFY(s);
        searchBox(*s)->setText(QStringLiteral("Warehouse"));
        s->InvGrid_DblClick();
        QCOMPARE(f.marked("L1List"), QStringLiteral("Land"));
        QCOMPARE(f.marked("L2List"), QStringLiteral("Leasehold"));
        QCOMPARE(f.marked("L3List"), QStringLiteral("Warehouse"));
        QCOMPARE(f.box("AccCode"), QStringLiteral("10102001"));
    }

    void doubleClickOnAnEmptyGridDoesNothing()
    {
        Fixture f;
        ChartofAccounts* s = f.find();
        QVERIFY(s);
        searchBox(*s)->setText(QStringLiteral("nothing"));
        s->InvGrid_DblClick();
        QVERIFY(s->isVisible());
        QCOMPARE(f.box("AccCode"), QStringLiteral("10101001"));
    }

    void findWaitsWhileANewRowIsPending()
    {
        Fixture f;
        f.editor->AddBttn3_Click();
        QVERIFY(!f.find());
        f.editor->FindBttn_Click();   // called all the same: nothing opens
        QVERIFY(!f.editor->findChild<ChartofAccounts*>());
        QVERIFY(!f.editor->showAccountOf(201, 20101, 20101001));
        f.editor->CancelBttn3_Click();
        QVERIFY(f.find());
    }
};

WINDOW_TEST_MAIN(ChartSearchTest)
#include "chart_search_test.moc"
