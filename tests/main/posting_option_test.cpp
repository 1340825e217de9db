// "Voucher Posting Preferences": the stored tick, Save reaching the next new
// voucher and the next sign-in, Cancel, and a missing business row.
#include "main/posting_option.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::PostingOption;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

QCheckBox* tick(PostingOption& w)
{
    return w.findChild<QCheckBox*>("OptCheck");
}

// Whether a new purchase voucher opened now starts posted.
bool nextVoucherStartsPosted(app::Parent& main)
{
    QWidget* form = main.openWindow(QStringLiteral("PurchaseVoucher"), false);
    if (!form)
        qFatal("no voucher form");
    const bool posted = form->findChild<QCheckBox*>("PostOpt")->isChecked();
    form->parentWidget()->close();   // the MDI sub-window
    return posted;
}

} // namespace

class PostingOptionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        signed_in::setUpSeams();
        app::registerWindows();
    }

    void saveReachesTheNextVoucherAndTheNextSignIn()
    {
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET Posting = 0");
        for (bool on : {true, false}) {
            auto main = signed_in::signIn(t, QStringLiteral("Administrator"), QStringLiteral("admin"));
            QVERIFY(main);
            QCOMPARE(main->AutoPost, !on);
            MessageRecorder boxes;
            PostingOption w(*main);
            w.show();
            QCOMPARE(w.windowTitle(), QStringLiteral("Voucher Posting Preferences"));
            QVERIFY(!tick(w)->isTristate());
            QCOMPARE(tick(w)->isChecked(), !on);
            tick(w)->setChecked(on);
            w.findChild<QPushButton*>("SaveBttn")->click();
            QVERIFY(boxes.boxes().empty());
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(main->AutoPost, on);
            QCOMPARE(t.db().scalar("SELECT Posting FROM BusinessInfo").toInt(), on ? 1 : 0);
            QCOMPARE(nextVoucherStartsPosted(*main), on);
        }
    }

    void cancelAndAMissingRowLeaveTheSettingAsItWas()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        main->AutoPost = true;
        MessageRecorder boxes;
        {
            PostingOption w(*main);
            w.show();
            tick(w)->setChecked(false);
            w.findChild<QPushButton*>("CancelBttn")->click();
        }
        QCOMPARE(t.db().scalar("SELECT Posting FROM BusinessInfo").toInt(), 1);
        QVERIFY(main->AutoPost);
        QVERIFY(boxes.boxes().empty());

        t.db().exec("DELETE FROM BusinessInfo");
        PostingOption w(*main);
        w.show();
        tick(w)->setChecked(false);
        w.SaveBttn_Click();
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QVERIFY(main->AutoPost);
        QVERIFY(w.isVisible());
    }
};

WINDOW_TEST_MAIN(PostingOptionTest)
#include "posting_option_test.moc"
