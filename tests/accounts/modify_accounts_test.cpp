// The chart editor window on a delivered database: proposals, the save and
// delete checks of the three panels, cancel, keys, printing the chart, and
// what closing does.
#include "accounts/modify_accounts.h"

#include <algorithm>
#include <map>
#include <memory>

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using accounts::ModifyAccounts;
using testing_support::documentTexts;
using testing_support::MessageRecorder;
using testing_support::openPreview;
using testing_support::TestDatabase;

namespace {

// A signed-in main window on a delivered database, rows arranged before the
// editor opens, the editor, and the boxes it shows.
class Chart {
public:
    Chart()
    {
        main = testing_support::signedInWindow(t.path(), {.user = 1, .fyId = 1});
        main->accTimer()->stop();
    }

    // Main type 101 "Land" (Non-Current Assets), with `depth` levels below:
    // 1 adds sub type 10101 "Freehold", 2 also account 10101001 "Cash".
    Chart& withChart(int depth)
    {
        mainType(101, "Land", 10);
        if (depth >= 1)
            subType(10101, "Freehold", 101);
        if (depth >= 2)
            account(10101001, "Cash", 10101);
        return *this;
    }
    void mainType(qlonglong code, const char* name, int nature)
    {
        t.db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, ?, ?)",
                    {std::int64_t{code}, name, nature});
    }
    void subType(qlonglong code, const char* name, qlonglong mainType)
    {
        t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, ?, ?)",
                    {std::int64_t{code}, name, std::int64_t{mainType}});
    }
    void account(qlonglong code, const char* name, qlonglong subType)
    {
        t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, ?, ?)",
                    {std::int64_t{code}, name, std::int64_t{subType / 100}, std::int64_t{subType}});
    }

    ModifyAccounts& open()
    {
        w = std::make_unique<ModifyAccounts>(*main);
        w->show();
        return *w;
    }

    template <class T> T* get(const QString& name) const
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* edit(const QString& name) const { return get<QLineEdit>(name); }
    QListWidget* list(const QString& name) const { return get<QListWidget>(name); }
    QComboBox* natures() const { return get<QComboBox>(QStringLiteral("FSList")); }
    bool enabled(const QString& name) const { return get<QWidget>(name)->isEnabled(); }
    QString focus() const { return w->focusWidget() ? w->focusWidget()->objectName() : QString(); }

    // Picks the row shown as `text` in list `name`, as a click does.
    void pick(const QString& name, const QString& text)
    {
        const auto items = list(name)->findItems(text, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(text));
        list(name)->setCurrentItem(items.first());
    }
    void chooseNature(const QString& text) { natures()->setCurrentIndex(natures()->findText(text)); }
    void type(const QString& box, const QString& text)
    {
        edit(box)->clear();
        QTest::keyClicks(edit(box), text);
    }

    qlonglong count(const char* table) { return t.db().scalar(std::string("SELECT COUNT(*) FROM ") + table).toInt(); }
    QString stored(const char* sql, qlonglong key)
    {
        return QString::fromStdString(t.db().scalar(sql, {std::int64_t{key}}).toText());
    }
    QString mainName(qlonglong code) { return stored("SELECT Type FROM AccLevel1 WHERE TypeID = ?", code); }
    QString subName(qlonglong code) { return stored("SELECT L2AccName FROM AccLevel2 WHERE Level2ID = ?", code); }
    QString accName(qlonglong code) { return stored("SELECT AccName FROM AccLevel3 WHERE AccCode = ?", code); }
    qlonglong rows() { return count("AccLevel1") + count("AccLevel2") + count("AccLevel3"); }

    TestDatabase t;
    MessageRecorder boxes;
    std::unique_ptr<app::Parent> main;
    std::unique_ptr<ModifyAccounts> w;
};

// The handlers of one panel, by the suffix its controls carry.
void click(ModifyAccounts& w, const QString& button)
{
    using Handler = void (ModifyAccounts::*)();
    static const std::map<QString, Handler> handlers = {
        {"AddBttn", &ModifyAccounts::AddBttn_Click},       {"SaveBttn", &ModifyAccounts::SaveBttn_Click},
        {"DelBttn", &ModifyAccounts::DelBttn_Click},       {"CancelBttn", &ModifyAccounts::CancelBttn_Click},
        {"AddBttn2", &ModifyAccounts::AddBttn2_Click},     {"SaveBttn2", &ModifyAccounts::SaveBttn2_Click},
        {"DelBttn2", &ModifyAccounts::DelBttn2_Click},     {"CancelBttn2", &ModifyAccounts::CancelBttn2_Click},
        {"AddBttn3", &ModifyAccounts::AddBttn3_Click},     {"SaveBttn3", &ModifyAccounts::SaveBttn3_Click},
        {"DelBttn3", &ModifyAccounts::DelBttn3_Click},     {"CancelBttn3", &ModifyAccounts::CancelBttn3_Click},
    };
    (w.*handlers.at(button))();
}

} // namespace

class ModifyAccountsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }

    void cleanup() { testing_support::closePreviews(); }

    void emptyChartProposesTheFirstCodeOfEachLevel()
    {
        Chart c;
        auto& w = c.open();
        QCOMPARE(w.windowTitle(), QStringLiteral("Chart of Accounts"));
        QVERIFY(!c.enabled("L2Frame") && !c.enabled("L3Frame"));
        QVERIFY(c.get<QLabel>("SCFrame")->isHidden());

        w.AddBttn_Click();
        QCOMPARE(c.focus(), QStringLiteral("FSList"));
        QVERIFY(c.enabled("FSList") && !c.edit("MainCode")->isReadOnly());
        QVERIFY(!c.enabled("L1List") && !c.enabled("AddBttn") && !c.enabled("DelBttn"));
        c.chooseNature(QStringLiteral("Non-Current Assets"));
        QCOMPARE(c.edit("MainCode")->text(), QStringLiteral("100"));
        QCOMPARE(c.get<QLabel>("ValueLbl")->text(), QStringLiteral("(Value From  100  To  199)"));
        c.type("CatCodeTxt", "Property");
        w.SaveBttn_Click();
        QVERIFY(c.boxes.boxes().empty());
        QCOMPARE(c.stored("SELECT Type || ':' || NatureID FROM AccLevel1 WHERE TypeID = ?", 100),
                 QStringLiteral("Property:10"));
        QCOMPARE(c.focus(), QStringLiteral("L1List"));
        QCOMPARE(c.list("L1List")->currentItem()->text(), QStringLiteral("Property"));
        QVERIFY(!c.enabled("FSList") && c.edit("MainCode")->isReadOnly() && c.enabled("AddBttn"));
        QVERIFY(c.enabled("L2Frame") && !c.enabled("L3Frame"));

        w.AddBttn2_Click();
        QCOMPARE(c.edit("SubCode")->text(), QStringLiteral("10001"));
        QCOMPARE(c.focus(), QStringLiteral("SubCatCodeTxt"));
        c.type("SubCatCodeTxt", "Buildings");
        w.SaveBttn2_Click();
        QCOMPARE(c.stored("SELECT L2AccName || ':' || TypeID FROM AccLevel2 WHERE Level2ID = ?", 10001),
                 QStringLiteral("Buildings:100"));
        QCOMPARE(c.focus(), QStringLiteral("L2List"));
        QVERIFY(c.enabled("L3Frame"));
        QVERIFY(!c.get<QLabel>("SCFrame")->isHidden());

        w.AddBttn3_Click();
        QCOMPARE(c.edit("AccCode")->text(), QStringLiteral("10001001"));
        QCOMPARE(c.focus(), QStringLiteral("AccCodeTxt"));
        c.type("AccCodeTxt", "Office block");
        w.SaveBttn3_Click();
        QCOMPARE(c.stored("SELECT AccName || ':' || Level1ID || ':' || Level2ID FROM AccLevel3 WHERE AccCode = ?",
                          10001001),
                 QStringLiteral("Office block:100:10001"));
        QCOMPARE(c.focus(), QStringLiteral("AddBttn3"));
        QCOMPARE(c.list("L3List")->currentItem()->text(), QStringLiteral("Office block"));
        QVERIFY(c.boxes.boxes().empty());
    }

    void findAndTheChartButtonsWorkWhileBrowsing()
    {
        Chart c;
        c.withChart(2);
        c.open();
        QVERIFY(c.enabled("L3Frame"));
        QCOMPARE(c.get<QPushButton>("FindBttn")->text(), QStringLiteral("Find"));
        QVERIFY(c.enabled("FindBttn"));
        for (const char* name : {"PrintBttn0", "PrintBttn1", "PrintBttn2"}) {
            QCOMPARE(c.get<QPushButton>(name)->text(), QStringLiteral("Chart"));
            QVERIFY2(c.enabled(name), name);
        }
    }

    void eachChartButtonPrintsWhatItsPanelShows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("whole chart") << 0 << QStringList{"101", "10101", "10101001", "10102", "10102001", "201"};
        QTest::newRow("main type shown") << 1 << QStringList{"101", "10101", "10101001", "10102", "10102001"};
        QTest::newRow("sub type shown") << 2 << QStringList{"101", "10102", "10102001"};
    }
    void eachChartButtonPrintsWhatItsPanelShows()
    {
        QFETCH(int, index);
        QFETCH(QStringList, codes);
        Chart c;
        c.withChart(2);
        c.subType(10102, "Leasehold", 101);
        c.account(10102001, "Shop", 10102);
        c.mainType(201, "Current", 20);
        c.main->BizName = QStringLiteral("Tamsel Traders");
        c.main->UName = QStringLiteral("Ali");
        c.open();
        c.pick("L2List", "Leasehold");

        c.get<QPushButton>(QStringLiteral("PrintBttn%1").arg(index))->click();
        report::PreviewWindow* preview = openPreview();
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Chart of Accounts"));
        const QStringList texts = documentTexts(preview->document());
        QCOMPARE(texts.filter(QRegularExpression(QStringLiteral("^\\d+$"))), codes);
        QVERIFY(texts.contains(QStringLiteral("Tamsel Traders")));
        QVERIFY(texts.contains(QStringLiteral("Printed By: Ali")));
        QVERIFY(c.w->CARst.isOpen());
        preview->close();   // the report ends and releases the chart
        QVERIFY(!c.w->CARst.isOpen());
        QVERIFY(c.boxes.boxes().empty());
    }

    void printsTwiceInARow()
    {
        Chart c;
        c.withChart(2);
        c.open();
        for (int round = 1; round <= 2; ++round) {
            c.get<QPushButton>("PrintBttn0")->click();
            report::PreviewWindow* preview = openPreview();
            QVERIFY2(preview, qPrintable(QString::number(round)));
            QVERIFY(documentTexts(preview->document()).contains(QStringLiteral("Cash")));
            preview->close();
        }
        // A chart still open from before (one level only) is closed and read afresh.
        c.w->CARst = platform::Hierarchy::open(c.t.db(), {{"Level1", "SELECT * FROM AccLevel1", {}, "", ""}});
        c.get<QPushButton>("PrintBttn0")->click();
        QVERIFY(openPreview());
        QVERIFY(documentTexts(openPreview()->document()).contains(QStringLiteral("Cash")));
    }

    void aChartThatCannotBeReadIsToldAndNothingPrints()
    {
        Chart c;
        c.withChart(2);
        c.open();
        c.t.db().execScript("ALTER TABLE AccLevel3 RENAME TO Gone;");
        c.get<QPushButton>("PrintBttn0")->click();
        QCOMPARE(c.boxes.last().title, QStringLiteral("Database Error"));
        QVERIFY(!openPreview());
        QVERIFY(!c.w->CARst.isOpen());

        c.t.db().execScript("ALTER TABLE Gone RENAME TO AccLevel3;");
        c.get<QPushButton>("PrintBttn0")->click();
        QVERIFY(openPreview());
    }

    void addingLocksThePanelsThatCouldMoveItsParent_data()
    {
        QTest::addColumn<QString>("add");
        QTest::addColumn<bool>("l1");
        QTest::addColumn<bool>("l2");
        QTest::addColumn<bool>("l3");
        QTest::addColumn<QString>("ownList");
        QTest::newRow("main type") << "AddBttn" << true << false << false << "L1List";
        QTest::newRow("sub type") << "AddBttn2" << false << true << false << "L2List";
        QTest::newRow("account") << "AddBttn3" << false << false << true << "L3List";
    }
    void addingLocksThePanelsThatCouldMoveItsParent()
    {
        QFETCH(QString, add);
        QFETCH(bool, l1);
        QFETCH(bool, l2);
        QFETCH(bool, l3);
        QFETCH(QString, ownList);
        Chart c;
        c.withChart(2);
        auto& w = c.open();
        click(w, add);
        QCOMPARE(c.enabled("L1Frame"), l1);
        QCOMPARE(c.enabled("L2Frame"), l2);
        QCOMPARE(c.enabled("L3Frame"), l3);
        QVERIFY(!c.enabled(ownList));
        QVERIFY(!c.enabled(add));
        QVERIFY(!c.enabled("FindBttn"));
        if (add == "AddBttn") {
            // Typing the code of a stored main type must not open its panels.
            c.chooseNature(QStringLiteral("Non-Current Assets"));
            c.type("MainCode", "101");
            QVERIFY(!c.enabled("L2Frame") && !c.enabled("L3Frame"));
        }
    }

    void mainTypeCodeTakesDigitsOnlyAndThreeAtMost()
    {
        Chart c;
        auto& w = c.open();
        w.AddBttn_Click();
        c.chooseNature(QStringLiteral("Current Assets"));
        c.type("MainCode", "2x5-07");
        QCOMPARE(c.edit("MainCode")->text(), QStringLiteral("250"));
        c.edit("MainCode")->clear();
        c.edit("MainCode")->insert(QStringLiteral("2 5"));   // a paste with a blank
        QCOMPARE(c.edit("MainCode")->text(), QString());
    }

    void mainTypeSaveChecksInOrder_data()
    {
        QTest::addColumn<bool>("add");
        QTest::addColumn<QString>("nature");   // typed into the nature list
        QTest::addColumn<QString>("code");     // typed; "=" prefix: set as text, as no key could
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString range = QStringLiteral(
            "Value of main type code for this account type nature must be from 200 to 299");
        QTest::newRow("nothing stored, no add") << false << "" << "" << "" << "Click on Add Button before adding record."
                                                << "CatCodeTxt";
        QTest::newRow("nature matches nothing") << true << "Assets" << "250" << "Stock"
                                                << "Select correct nature of account type to save." << "FSList";
        QTest::newRow("no code") << true << "Current Assets" << "" << "Stock" << "Enter main type code to save."
                                 << "MainCode";
        QTest::newRow("two digits") << true << "Current Assets" << "25" << "Stock"
                                    << "Give 3 digit main type code to save." << "MainCode";
        QTest::newRow("not digits") << true << "Current Assets" << "=2a5" << "Stock"
                                    << "Give 3 digit main type code to save." << "MainCode";
        QTest::newRow("below StartAt") << true << "Current Assets" << "199" << "" << range << "MainCode";
        QTest::newRow("above EndAt") << true << "current assets" << "300" << "Stock" << range << "MainCode";
        QTest::newRow("no name") << true << "Current Assets" << "250" << "" << "Enter main account type to save."
                                 << "CatCodeTxt";
        QTest::newRow("code taken")
            << true << "Current Assets" << "210" << "Stock"
            << "A main account type is already present with the same code. Give a different code." << "MainCode";
    }
    void mainTypeSaveChecksInOrder()
    {
        QFETCH(bool, add);
        QFETCH(QString, nature);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Chart c;
        if (add)
            c.mainType(210, "Debtors", 20);
        auto& w = c.open();
        if (add) {
            w.AddBttn_Click();
            c.natures()->setEditText(nature);
            if (code.startsWith('='))
                c.edit("MainCode")->setText(code.mid(1));
            else
                c.type("MainCode", code);
            c.type("CatCodeTxt", name);
        }
        const auto before = c.rows();
        w.SaveBttn_Click();
        QCOMPARE(c.boxes.boxes().size(), std::size_t{1});
        QCOMPARE(c.boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(c.boxes.last().text, message);
        QVERIFY(c.boxes.last().informationIcon);
        QCOMPARE(c.focus(), focus);
        QCOMPARE(c.rows(), before);
    }

    void fullNatureLeavesTheCodeToTheUserWithinItsRange_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");   // empty: saved
        const QString range = QStringLiteral(
            "Value of main type code for this account type nature must be from 400 to 449");
        QTest::newRow("StartAt") << "400" << "";
        QTest::newRow("EndAt passes the range, is taken")
            << "449" << "A main account type is already present with the same code. Give a different code.";
        QTest::newRow("below StartAt") << "399" << range;
        QTest::newRow("above EndAt") << "450" << range;
    }
    void fullNatureLeavesTheCodeToTheUserWithinItsRange()
    {
        QFETCH(QString, code);
        QFETCH(QString, message);
        Chart c;
        c.mainType(449, "Loans", 35);
        auto& w = c.open();
        w.AddBttn_Click();
        c.chooseNature(QStringLiteral("Non-Current Liabilities"));
        QCOMPARE(c.edit("MainCode")->text(), QString());
        QCOMPARE(c.get<QLabel>("ValueLbl")->text(), QStringLiteral("(Value From  400  To  449)"));
        c.type("MainCode", code);
        c.type("CatCodeTxt", "Leases");
        w.SaveBttn_Click();
        QCOMPARE(c.boxes.last().text, message);
        QCOMPARE(c.mainName(code.toLongLong()), message.isEmpty() ? QStringLiteral("Leases")
                                                : code == "449"    ? QStringLiteral("Loans")
                                                                   : QString());
    }

    void rangeLabelShowsTheRangeOfTheMainTypeSelected()
    {
        Chart c;
        c.mainType(100, "Property", 10);
        auto& w = c.open();
        // Add a type of another nature: the label shows that nature's range while adding.
        w.AddBttn_Click();
        c.chooseNature(QStringLiteral("Sales"));
        c.type("CatCodeTxt", "Local Sales");
        w.SaveBttn_Click();
        QVERIFY(c.boxes.boxes().empty());
        const struct { const char* type; const char* range; } cases[] = {
            {"Property", "(Value From  100  To  199)"},
            {"Local Sales", "(Value From  500  To  599)"},
        };
        for (const auto& k : cases) {
            const auto items = c.list("L1List")->findItems(QString::fromUtf8(k.type), Qt::MatchExactly);
            QCOMPARE(items.size(), 1);
            c.list("L1List")->setCurrentItem(items.front());
            QCOMPARE(c.get<QLabel>("ValueLbl")->text(), QString::fromUtf8(k.range));
        }
    }

    void natureTextThatMatchesNothingEmptiesCodeAndRange()
    {
        Chart c;
        auto& w = c.open();
        w.AddBttn_Click();
        c.chooseNature(QStringLiteral("Sales"));
        QCOMPARE(c.edit("MainCode")->text(), QStringLiteral("500"));
        c.natures()->setEditText(QStringLiteral("Sale"));
        QCOMPARE(c.edit("MainCode")->text(), QString());
        QCOMPARE(c.get<QLabel>("ValueLbl")->text(), QString());
    }

    void renameOfAStoredMainTypeKeepsCodeAndNature()
    {
        Chart c;
        c.withChart(1);
        auto& w = c.open();
        QVERIFY(!c.enabled("FSList"));
        QVERIFY(c.edit("MainCode")->isReadOnly());
        QCOMPARE(c.natures()->currentText(), QStringLiteral("Non-Current Assets"));
        c.type("CatCodeTxt", "Freehold land");
        w.SaveBttn_Click();
        QVERIFY(c.boxes.boxes().empty());
        QCOMPARE(c.stored("SELECT Type || ':' || NatureID FROM AccLevel1 WHERE TypeID = ?", 101),
                 QStringLiteral("Freehold land:10"));
        QCOMPARE(c.list("L1List")->currentItem()->text(), QStringLiteral("Freehold land"));
        QCOMPARE(c.list("L2List")->count(), 1);
    }

    void editOfARowLeftWithoutSaveIsNeverWritten_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("save");
        QTest::newRow("main type") << "L1List" << "CatCodeTxt" << "SaveBttn";
        QTest::newRow("sub type") << "L2List" << "SubCatCodeTxt" << "SaveBttn2";
        QTest::newRow("account") << "L3List" << "AccCodeTxt" << "SaveBttn3";
    }
    void editOfARowLeftWithoutSaveIsNeverWritten()
    {
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(QString, save);
        Chart c;
        c.withChart(2);
        c.mainType(102, "Plant", 10);
        c.subType(10102, "Leasehold", 101);
        c.account(10101002, "Bank", 10101);
        auto& w = c.open();
        const QString first = c.list(list)->item(0)->text();
        const QString second = c.list(list)->item(1)->text();
        c.type(box, "Renamed");
        c.pick(list, second);
        QCOMPARE(c.edit(box)->text(), second);
        click(w, save);
        c.pick(list, first);
        QCOMPARE(c.edit(box)->text(), first);
        QCOMPARE(c.mainName(101), QStringLiteral("Land"));
        QCOMPARE(c.mainName(102), QStringLiteral("Plant"));
        QCOMPARE(c.subName(10101), QStringLiteral("Freehold"));
        QCOMPARE(c.subName(10102), QStringLiteral("Leasehold"));
        QCOMPARE(c.accName(10101001), QStringLiteral("Cash"));
        QCOMPARE(c.accName(10101002), QStringLiteral("Bank"));
        QVERIFY(c.boxes.boxes().empty());
    }

    void childSaveChecksInOrder_data()
    {
        QTest::addColumn<QString>("level");      // "sub" or "account"
        QTest::addColumn<qlonglong>("highest");  // stored child of the parent, 0 for none
        QTest::addColumn<bool>("add");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");      // empty: where it was before Save
        QTest::newRow("sub: nothing stored, no add") << "sub" << 0LL << false << "" << "Click on Add Button before adding record."
                                              << "SubCatCodeTxt";
        QTest::newRow("sub: main type full")
            << "sub" << 10199LL << true << "Spare"
            << "You have added maximum number of sub account types in the selected main account type."
            << "SubCatCodeTxt";
        QTest::newRow("sub: no name") << "sub" << 10101LL << true << "" << "Enter sub account type to save."
                                      << "SubCatCodeTxt";
        QTest::newRow("account: nothing stored, no add")
            << "account" << 0LL << false << "" << "Click on Add Button before adding record." << "";
        QTest::newRow("account: sub type full")
            << "account" << 10101999LL << true << "Spare"
            << "You have added maximum number of accounts in the selected sub account type." << "AccCodeTxt";
        QTest::newRow("account: no name") << "account" << 10101005LL << true << ""
                                          << "Enter account name to save." << "AccCodeTxt";
    }
    void childSaveChecksInOrder()
    {
        QFETCH(QString, level);
        QFETCH(qlonglong, highest);
        QFETCH(bool, add);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const bool sub = level == "sub";
        Chart c;
        c.withChart(sub ? 0 : 1);
        if (highest && sub)
            c.subType(highest, "Highest", 101);
        else if (highest)
            c.account(highest, "Highest", 10101);
        auto& w = c.open();
        if (add) {
            click(w, sub ? "AddBttn2" : "AddBttn3");
            c.type(sub ? "SubCatCodeTxt" : "AccCodeTxt", name);
        } else {
            c.list("L1List")->setFocus();
        }
        const QString before = c.focus();
        const auto rows = c.rows();
        click(w, sub ? "SaveBttn2" : "SaveBttn3");
        QCOMPARE(c.boxes.boxes().size(), std::size_t{1});
        QCOMPARE(c.boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(c.boxes.last().text, message);
        QVERIFY(c.boxes.last().informationIcon);
        QCOMPARE(c.focus(), focus.isEmpty() ? before : focus);
        QCOMPARE(c.rows(), rows);
    }

    void freedHighestSubTypeIsProposedAgainButNoHoleBelowIt()
    {
        Chart c;
        c.withChart(0);
        for (qlonglong code : {10101, 10150, 10198, 10199})
            c.subType(code, qPrintable(QStringLiteral("S%1").arg(code)), 101);
        auto& w = c.open();
        const auto proposal = [&] {
            w.AddBttn2_Click();
            const QString code = c.edit("SubCode")->text();
            w.CancelBttn2_Click();
            return code;
        };
        const auto remove = [&](const char* shown) {
            c.pick("L2List", shown);
            c.boxes.answer(forms::Answer::Yes);
            w.DelBttn2_Click();
        };
        QCOMPARE(proposal(), QString());
        remove("S10150");
        QCOMPARE(proposal(), QString());
        remove("S10199");
        QCOMPARE(proposal(), QStringLiteral("10199"));
        QCOMPARE(c.count("AccLevel2"), 2);
    }

    void deleteRefusesOrAsks_data()
    {
        QTest::addColumn<int>("depth");        // -1 empty chart, else Chart::withChart; 3 adds a voucher line
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("rowsLeft");
        const QString ask = QStringLiteral("Delete Confirmation");
        QTest::newRow("main: none") << -1 << "DelBttn" << false << "No Main Account Type"
                                    << "There is no main account type to be deleted." << 0LL;
        QTest::newRow("main: has sub types")
            << 1 << "DelBttn" << true << "Cannot Delete"
            << "There have been sub account types present in this main account type. Delete them before deleting it."
            << 2LL;
        QTest::newRow("main: No keeps") << 0 << "DelBttn" << false << ask
                                        << "Are you sure, you want to delete this selected main account type?" << 1LL;
        QTest::newRow("main: Yes deletes") << 0 << "DelBttn" << true << ask
                                           << "Are you sure, you want to delete this selected main account type?"
                                           << 0LL;
        QTest::newRow("sub: none") << 0 << "DelBttn2" << true << "No Sub Account Type"
                                   << "There is no sub account type to be deleted." << 1LL;
        QTest::newRow("sub: has accounts")
            << 2 << "DelBttn2" << true << "Cannot Delete"
            << "There have been accounts present in this sub account type. Delete them before deleting it." << 3LL;
        QTest::newRow("sub: No keeps") << 1 << "DelBttn2" << false << ask
                                       << "Are you sure, you want to delete this selected sub account type?" << 2LL;
        QTest::newRow("sub: Yes deletes") << 1 << "DelBttn2" << true << ask
                                          << "Are you sure, you want to delete this selected sub account type?"
                                          << 1LL;
        QTest::newRow("account: none") << 1 << "DelBttn3" << true << "No Account Found"
                                       << "There is no account to be deleted." << 2LL;
        QTest::newRow("account: used by an earlier year's opening balances")
            << 3 << "DelBttn3" << true << "Cannot Delete"
            << "There have been ledger entries recorded for the selected account, Cash." << 3LL;
        QTest::newRow("account: No keeps") << 2 << "DelBttn3" << false << ask
                                           << "Are you sure, you want to delete this selected account, Cash?" << 3LL;
        QTest::newRow("account: Yes deletes") << 2 << "DelBttn3" << true << ask
                                              << "Are you sure, you want to delete this selected account, Cash?"
                                              << 2LL;
    }
    void deleteRefusesOrAsks()
    {
        QFETCH(int, depth);
        QFETCH(QString, button);
        QFETCH(bool, yes);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(qlonglong, rowsLeft);
        Chart c;
        if (depth >= 0)
            c.withChart(std::min(depth, 2));
        if (depth == 3) {
            auto& db = c.t.db();
            db.exec("INSERT INTO FinancialYear VALUES (2, '2025-07-01', '2026-06-30', '2025-26')");
            db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Posted) "
                    "VALUES (1, '2025-07-01', 11, 2, 1)");
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (?, 10101001, 500, 0)",
                    {db.lastInsertId()});
        }
        auto& w = c.open();
        if (button == "DelBttn3" && depth >= 2)
            c.type("AccCodeTxt", "Typed, not saved");   // the stored name is the one asked about
        c.boxes.answer(yes ? forms::Answer::Yes : forms::Answer::No);
        click(w, button);
        QCOMPARE(c.boxes.boxes().size(), std::size_t{1});
        QCOMPARE(c.boxes.last().title, title);
        QCOMPARE(c.boxes.last().text, text);
        const bool question = title == "Delete Confirmation";
        QCOMPARE(c.boxes.last().informationIcon, !question);
        QCOMPARE(c.boxes.last().buttons, question ? forms::Buttons::YesNo : forms::Buttons::Ok);
        QCOMPARE(c.rows(), rowsLeft);
        if (question && yes)
            QCOMPARE(c.list(button == "DelBttn" ? "L1List" : button == "DelBttn2" ? "L2List" : "L3List")->count(), 0);
    }

    void deleteTheDatabaseRefusesIsReportedAsTheWindowsRefusal()
    {
        Chart c;
        c.withChart(0);
        // An account filed under 101 while its sub type belongs to 102: 101 has no
        // sub types, yet the account's key still holds it.
        c.mainType(102, "Plant", 10);
        c.subType(10201, "Machines", 102);
        c.t.db().exec("INSERT INTO AccLevel3 VALUES (10201001, 'Lathe', 101, 10201)");
        auto& w = c.open();
        c.boxes.answer(forms::Answer::Yes);
        w.DelBttn_Click();
        QCOMPARE(c.boxes.last().title, QStringLiteral("Cannot Delete"));
        QCOMPARE(c.boxes.last().text, QStringLiteral("There have been sub account types present in this main "
                                                     "account type. Delete them before deleting it."));
        QCOMPARE(c.mainName(101), QStringLiteral("Land"));
        QCOMPARE(c.list("L1List")->count(), 2);
    }

    void databaseFailureIsShownAndTheWindowStaysUsable()
    {
        Chart c;
        auto& w = c.open();
        c.t.db().execScript("CREATE TRIGGER Refuse BEFORE INSERT ON AccLevel1 BEGIN "
                            "SELECT RAISE(ABORT, 'the disk is busy'); END;");
        w.AddBttn_Click();
        c.chooseNature(QStringLiteral("Sales"));
        c.type("CatCodeTxt", "Trading");
        w.SaveBttn_Click();
        QCOMPARE(c.boxes.last().title, QStringLiteral("Database Error"));
        QVERIFY(c.boxes.last().text.contains(QStringLiteral("the disk is busy")));
        QCOMPARE(c.count("AccLevel1"), 0);
        QVERIFY(c.enabled("FSList"));   // still adding: the user may retry or cancel
        c.t.db().execScript("DROP TRIGGER Refuse;");
        w.SaveBttn_Click();
        QCOMPARE(c.mainName(500), QStringLiteral("Trading"));
    }

    void cancelDropsThePendingRowOrTheUnsavedEdit_data()
    {
        QTest::addColumn<QString>("level");   // suffix of the panel's controls: "", "2", "3"
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("shown");   // the row shown after Cancel
        QTest::newRow("main: new row") << "" << true << "CatCodeTxt" << "L1List" << "Land";
        QTest::newRow("main: edit") << "" << false << "CatCodeTxt" << "L1List" << "Plant";
        QTest::newRow("sub: new row") << "2" << true << "SubCatCodeTxt" << "L2List" << "Freehold";
        QTest::newRow("sub: edit") << "2" << false << "SubCatCodeTxt" << "L2List" << "Leasehold";
        QTest::newRow("account: new row") << "3" << true << "AccCodeTxt" << "L3List" << "Cash";
        QTest::newRow("account: edit") << "3" << false << "AccCodeTxt" << "L3List" << "Bank";
    }
    void cancelDropsThePendingRowOrTheUnsavedEdit()
    {
        QFETCH(QString, level);
        QFETCH(bool, adding);
        QFETCH(QString, box);
        QFETCH(QString, list);
        QFETCH(QString, shown);
        Chart c;
        c.withChart(2);
        c.mainType(102, "Plant", 10);
        c.subType(10102, "Leasehold", 101);
        c.account(10101002, "Bank", 10101);
        c.subType(10201, "Machines", 102);
        auto& w = c.open();
        c.pick(list, c.list(list)->item(1)->text());
        if (adding) {
            click(w, "AddBttn" + level);
            if (level.isEmpty())
                c.chooseNature(QStringLiteral("Non-Current Assets"));
        }
        c.type(box, "Dropped");
        const auto rows = c.rows();
        click(w, "CancelBttn" + level);
        QCOMPARE(c.edit(box)->text(), shown);
        QCOMPARE(c.list(list)->currentItem()->text(), shown);
        QCOMPARE(c.focus(), list);
        QVERIFY(c.enabled(list) && c.enabled("AddBttn" + level) && c.enabled("DelBttn" + level));
        QVERIFY(c.enabled("L1Frame") && c.enabled("L2Frame") && c.enabled("L3Frame"));
        QCOMPARE(c.rows(), rows);
        QVERIFY(c.boxes.boxes().empty());
    }

    void ctrlNAddsCtrlSSavesEscCancelsAnAccount()
    {
        Chart c;
        c.withChart(1);
        auto& w = c.open();
        QTest::keyClick(c.list("L3List"), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(c.edit("AccCode")->text(), QStringLiteral("10101001"));
        QTest::keyClicks(c.edit("AccCodeTxt"), "Cash");
        // A second Ctrl+N while the account is pending changes nothing.
        QTest::keyClick(c.edit("AccCodeTxt"), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(c.edit("AccCode")->text(), QStringLiteral("10101001"));
        QCOMPARE(c.edit("AccCodeTxt")->text(), QStringLiteral("Cash"));
        QCOMPARE(c.count("AccLevel3"), 0);
        QTest::keyClick(c.edit("AccCodeTxt"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(c.accName(10101001), QStringLiteral("Cash"));
        QCOMPARE(c.focus(), QStringLiteral("AddBttn3"));

        QTest::keyClick(c.get<QPushButton>("AddBttn3"), Qt::Key_N, Qt::ControlModifier);
        QTest::keyClicks(c.edit("AccCodeTxt"), "Bank");
        QTest::keyClick(c.edit("AccCodeTxt"), Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(c.count("AccLevel3"), 1);
        QCOMPARE(c.edit("AccCodeTxt")->text(), QStringLiteral("Cash"));

        // Browsing, Ctrl+S saves the shown account.
        c.type("AccCodeTxt", "Petty cash");
        QTest::keyClick(c.edit("AccCodeTxt"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(c.accName(10101001), QStringLiteral("Petty cash"));
        QVERIFY(w.isVisible());
        QVERIFY(c.boxes.boxes().empty());
    }

    void keysDoNothingWhileTheAccountsPanelIsDisabled()
    {
        Chart c;
        c.withChart(2);
        auto& w = c.open();
        w.AddBttn2_Click();
        QTest::keyClicks(c.edit("SubCatCodeTxt"), "Leasehold");
        QVERIFY(!c.enabled("L3Frame"));
        QTest::keyClick(c.edit("SubCatCodeTxt"), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(c.edit("SubCatCodeTxt"), Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(c.edit("SubCatCodeTxt"), Qt::Key_Escape);
        QCOMPARE(c.edit("SubCatCodeTxt")->text(), QStringLiteral("Leasehold"));
        QVERIFY(!c.enabled("AddBttn2"));   // the sub type is still pending
        QCOMPARE(c.rows(), 3);
        QVERIFY(w.isVisible());            // Esc never closes the window
        QVERIFY(c.boxes.boxes().empty());
    }

    void ctrlWithAnotherModifierIsNoShortcut()
    {
        Chart c;
        c.withChart(1);
        c.open();
        QTest::keyClick(c.list("L3List"), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(c.list("L3List"), Qt::Key_N, Qt::AltModifier);
        QVERIFY(c.enabled("AddBttn3"));
        QCOMPARE(c.edit("AccCode")->text(), QString());
    }

    void boxesSelectTheirTextWhenTheyTakeTheFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("adding");   // MainCode is typed into only while adding
        QTest::newRow("MainCode") << "MainCode" << true;
        QTest::newRow("CatCodeTxt") << "CatCodeTxt" << false;
        QTest::newRow("SubCatCodeTxt") << "SubCatCodeTxt" << false;
        QTest::newRow("AccCodeTxt") << "AccCodeTxt" << false;
    }
    void boxesSelectTheirTextWhenTheyTakeTheFocus()
    {
        QFETCH(QString, box);
        QFETCH(bool, adding);
        Chart c;
        c.withChart(2);
        auto& w = c.open();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (adding) {
            w.AddBttn_Click();
            c.chooseNature(QStringLiteral("Current Assets"));
        }
        const QString text = c.edit(box)->text();
        QVERIFY(!text.isEmpty());
        // A click, not Tab: the box would select its text on Tab by itself.
        c.edit(box)->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(c.edit(box)->selectedText(), text);
    }

    void closingDropsPendingRowsAndReloadsTheAccountList()
    {
        Chart c;
        c.withChart(2);
        auto& w = c.open();
        w.AddBttn3_Click();
        QTest::keyClicks(c.edit("AccCodeTxt"), "Bank");
        QVERIFY(!c.main->accTimer()->isActive());
        w.close();
        QVERIFY(c.main->accTimer()->isActive());
        QCOMPARE(c.count("AccLevel3"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(c.main->AccListRst.isOpen() && c.main->AccListRst.recordCount() == 1, 3000);
        QCOMPARE(c.main->AccListRst["AccName"].toText(), std::string("Cash"));
    }

    void opensFromTheMainWindowAndClosesWithItsKeepingTheTimerArmed()
    {
        Chart c;
        c.withChart(2);
        app::registerWindow(QStringLiteral("ModifyAccounts"),
                            [](app::Parent& m) { return new accounts::ModifyAccounts(m); });
        QPointer<QWidget> w = c.main->openWindow(QStringLiteral("ModifyAccounts"), true);
        QVERIFY(w);
        QVERIFY(qobject_cast<QDialog*>(w.data())->isModal());
        QVERIFY(w->close());
        QVERIFY(c.main->accTimer()->isActive());
        QTRY_VERIFY(!w);   // deleted once closed
        app::clearWindows();
    }
};

WINDOW_TEST_MAIN(ModifyAccountsTest)
#include "modify_accounts_test.moc"
