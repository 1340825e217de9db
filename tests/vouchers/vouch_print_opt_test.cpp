// The printing preferences window: the stored ticks, Save (database first,
// then the sign-in state), Cancel, and its menu entry with right 20.
#include "vouchers/vouch_print_opt.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/database.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
#include "tests/vouchers/printed.h"
#include "vouchers/voucher_printing.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;
using vouchers::VouchPrintOpt;

namespace {

const char* const kColumns[] = {"PV", "PRV", "SV", "SRV", "CPV", "CRV", "BPV", "BRV", "GJV"};

QCheckBox* box(const VouchPrintOpt& w, int index)
{
    auto* b = w.findChild<QCheckBox*>(QStringLiteral("OptCheck%1").arg(index));
    if (!b)
        qFatal("no OptCheck%d", index);
    return b;
}

std::string stored(TestDatabase& t)
{
    std::string out;
    for (const char* c : kColumns)
        out += t.db().scalar(std::string("SELECT ") + c + " FROM BusinessInfo").toText();
    return out;
}

std::string flags(const app::Parent& main)
{
    std::string out;
    for (const auto& f : vouchers::printLayoutFlags())
        out += main.*f.flag ? '1' : '0';
    return out;
}

} // namespace

class VouchPrintOptTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { printed::setUpSeams(); }

    void showsTheStoredTicksUnderItsCaptions()
    {
        MessageRecorder boxes;
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET PV = 0, SV = 0, GJV = 0");
        auto main = printed::signedIn(t);
        VouchPrintOpt w(*main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Voucher Printing Preferences"));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("Voucher Printing Preferences"));
        const char* const kinds[] = {"Purchase Voucher",    "Purchase Return Voucher", "Sale Voucher",
                                     "Sale Return Voucher", "Cash Payment Voucher",    "Cash Receipt Voucher",
                                     "Bank Payment Voucher", "Bank Receipt Voucher",   "General Journal Voucher"};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("KindLbl%1").arg(i))->text(), QString::fromUtf8(kinds[i]));
            QCOMPARE(box(w, i)->text(), QStringLiteral("Display description for every account in printed voucher "));
            QCOMPARE(box(w, i)->isChecked(), i != 0 && i != 2 && i != 8);
        }
        QVERIFY(boxes.boxes().empty());
    }

    void saveWritesTheDatabaseAndThenTheSignInState()
    {
        MessageRecorder unexpected;
        TestDatabase t;
        auto main = printed::signedIn(t);
        VouchPrintOpt w(*main);
        w.show();
        box(w, 1)->setChecked(false);
        box(w, 8)->setChecked(false);
        w.findChild<QPushButton*>("SaveBttn")->click();
        QCOMPARE(stored(t), std::string("101111110"));
        QCOMPARE(flags(*main), std::string("101111110"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void cancelChangesNothing()
    {
        MessageRecorder unexpected;
        TestDatabase t;
        auto main = printed::signedIn(t);
        VouchPrintOpt w(*main);
        w.show();
        for (int i = 0; i < 9; ++i)
            box(w, i)->setChecked(false);
        w.findChild<QPushButton*>("CancelBttn")->click();
        QCOMPARE(stored(t), std::string("111111111"));
        QCOMPARE(flags(*main), std::string("111111111"));
        QCOMPARE(w.result(), int(QDialog::Rejected));
    }

    void aFailedWriteLeavesTheSignInStateAndTheWindowAsTheyWere()
    {
        MessageRecorder unexpected;
        TestDatabase t;
        auto main = printed::signedIn(t);
        VouchPrintOpt w(*main);
        w.show();
        box(w, 0)->setChecked(false);
        t.db().execScript("CREATE TRIGGER NoChanges BEFORE UPDATE ON BusinessInfo"
                          " BEGIN SELECT RAISE(ABORT, 'read only'); END;");
        MessageRecorder boxes;
        w.findChild<QPushButton*>("SaveBttn")->click();
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QCOMPARE(stored(t), std::string("111111111"));
        QCOMPARE(flags(*main), std::string("111111111"));
        QVERIFY(w.isVisible());
        QVERIFY(!box(w, 0)->isChecked());   // the user's ticks stay for another try
    }

    void preferencesThatCannotBeReadCannotBeSavedOverTheStoredOnes()
    {
        TestDatabase t;
        auto main = printed::signedIn(t);
        t.db().exec("ALTER TABLE BusinessInfo RENAME TO Elsewhere");
        MessageRecorder boxes;
        VouchPrintOpt w(*main);
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QVERIFY(!w.findChild<QPushButton*>("SaveBttn")->isEnabled());
        t.db().exec("ALTER TABLE Elsewhere RENAME TO BusinessInfo");
        QCOMPARE(stored(t), std::string("111111111"));
    }

    void opensFromTheMaintainMenuWithRight20() { printed::checkMenuEntry(app::Menu::Maintain, 60, 20, "VouchPrintOpt"); }
};

WINDOW_TEST_MAIN(VouchPrintOptTest)
#include "vouch_print_opt_test.moc"
