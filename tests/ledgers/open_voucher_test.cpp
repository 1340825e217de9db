// OpenVoucherFromLine with stand-in voucher forms: the hand-over, an open
// form brought to the front, the rights, the opening balances and unknown types.
#include "ledgers/open_voucher.h"

#include <memory>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

// A stand-in voucher form: on load it takes a pending hand-over, as the
// voucher forms do, unless told not to; it records what it was shown.
class StubVoucher : public QWidget, public app::VoucherView {
public:
    static inline int made = 0;
    static inline bool takesHandOver = true;
    static inline bool sawHandOver = false;
    static inline std::int32_t loadedTranNo = 0;

    explicit StubVoucher(app::Parent& main) : m_main(main)
    {
        ++made;
        sawHandOver = main.LOpen;
        if (main.LOpen && takesHandOver) {
            loadedTranNo = main.LedgerRef;
            main.LOpen = false;
        }
    }
    void EditingRecord(std::int32_t tranNo) override
    {
        shown.push_back(tranNo);
        sawHandOver = m_main.LOpen;
    }
    std::vector<std::int32_t> shown;

private:
    app::Parent& m_main;
};

std::unique_ptr<app::Parent> signedIn(TestDatabase& t, int user)
{
    auto main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = user;
    main->FYID = 1;
    main->MDIForm_Load();
    return main;
}

void registerStubs(bool withOpeningBalances)
{
    app::clearWindows();
    for (const auto& kind : app::voucherKinds())
        app::registerWindow(QString::fromLatin1(kind.form), [](app::Parent& m) { return new StubVoucher(m); });
    if (withOpeningBalances)
        app::registerWindow(QStringLiteral("OpeningBalancesAcc"), [](app::Parent&) { return new QWidget; });
}

void resetStub()
{
    StubVoucher::made = 0;
    StubVoucher::takesHandOver = true;
    StubVoucher::sawHandOver = false;
    StubVoucher::loadedTranNo = 0;
}

} // namespace

class OpenVoucherTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { resetStub(); }
    void cleanup() { app::clearWindows(); }

    void eachKindOpensItsFormWithTheVoucher_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("form");
        for (const auto& kind : app::voucherKinds())
            QTest::newRow(kind.form) << kind.tranType << QString::fromLatin1(kind.form);
    }
    void eachKindOpensItsFormWithTheVoucher()
    {
        QFETCH(int, type);
        QFETCH(QString, form);
        TestDatabase t;
        registerStubs(false);
        MessageRecorder messages;
        auto main = signedIn(t, 1);
        ledgers::OpenVoucherFromLine(*main, type, 4711);
        QVERIFY(main->host().find(form));
        QVERIFY(StubVoucher::sawHandOver);
        QCOMPARE(StubVoucher::loadedTranNo, 4711);
        QVERIFY(!main->LOpen);
        QVERIFY(messages.boxes().empty());
        for (const auto& other : app::voucherKinds())
            if (QString::fromLatin1(other.form) != form)
                QVERIFY2(!main->host().find(QString::fromLatin1(other.form)), other.form);
    }

    void aHandOverNoFormTookIsNotLeftPending()
    {
        TestDatabase t;
        registerStubs(false);
        StubVoucher::takesHandOver = false;
        auto main = signedIn(t, 1);
        ledgers::OpenVoucherFromLine(*main, 41, 12);
        QVERIFY(main->host().find(QStringLiteral("GeneralJournal")));
        QVERIFY(!main->LOpen);
        QCOMPARE(main->LedgerRef, 12);

        app::clearWindows();   // the kind's form not built yet
        ledgers::OpenVoucherFromLine(*main, 21, 13);
        QVERIFY(!main->LOpen);
    }

    void anOpenFormIsOnlyBroughtToTheFront()
    {
        TestDatabase t;
        registerStubs(false);
        auto main = signedIn(t, 1);
        main->openWindow(QStringLiteral("SaleVoucher"), false);
        main->openWindow(QStringLiteral("GeneralJournal"), false);   // on top
        auto* sale = dynamic_cast<StubVoucher*>(main->host().find(QStringLiteral("SaleVoucher")));
        QVERIFY(sale);
        QCOMPARE(StubVoucher::made, 2);
        ledgers::OpenVoucherFromLine(*main, 31, 77);
        QCOMPARE(StubVoucher::made, 2);   // not loaded again
        QVERIFY(sale->shown.empty());     // not told to show anything
        QVERIFY(!main->LOpen);            // left for no other form
        QCOMPARE(main->LedgerRef, 77);
        QCOMPARE(main->mdiArea()->activeSubWindow()->widget(), static_cast<QWidget*>(sale));
    }

    void anOperatorNeedsTheKindsBrowseRight_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::newRow("purchase") << 21 << 44 << "PurchaseVoucher" << "see saved purchase vouchers.";
        QTest::newRow("cash receipt") << 37 << 94 << "CashReceiptVoucher" << "see saved cash receipt vouchers.";
        QTest::newRow("general journal") << 41 << 124 << "GeneralJournal" << "see saved general journal vouchers.";
    }
    void anOperatorNeedsTheKindsBrowseRight()
    {
        QFETCH(int, type);
        QFETCH(int, right);
        QFETCH(QString, form);
        QFETCH(QString, text);
        TestDatabase t;
        t.addUser(2, "op", "pw");
        t.refuse(2, right);
        registerStubs(false);
        MessageRecorder messages;
        auto main = signedIn(t, 2);
        main->LedgerRef = 5;
        ledgers::OpenVoucherFromLine(*main, type, 99);
        QCOMPARE(messages.last().title, QStringLiteral("Not Allowed"));
        QCOMPARE(messages.last().text, QStringLiteral("You do not have access to ") + text);
        QVERIFY(!main->host().find(form));
        QCOMPARE(main->LedgerRef, 5);
        QVERIFY(!main->LOpen);

        t.refuse(2, right, false);
        ledgers::OpenVoucherFromLine(*main, type, 99);
        QVERIFY(main->host().find(form));
    }

    void anOpeningBalanceLineOpensTheOpeningBalances()
    {
        TestDatabase t;
        t.addUser(2, "op", "pw");
        registerStubs(true);
        MessageRecorder messages;
        auto main = signedIn(t, 2);
        main->LedgerRef = 8;
        main->LOpen = true;   // left as it was: the opening balances take no hand-over
        t.refuse(2, 14);
        ledgers::OpenVoucherFromLine(*main, 11, 1);
        QCOMPARE(messages.last().text, QStringLiteral("You do not have access to the accounts opening balances."));
        QVERIFY(!main->host().find(QStringLiteral("OpeningBalancesAcc")));
        t.refuse(2, 14, false);
        ledgers::OpenVoucherFromLine(*main, 11, 1);
        QVERIFY(main->host().find(QStringLiteral("OpeningBalancesAcc")));
        QVERIFY(main->LOpen);
        QCOMPARE(main->LedgerRef, 8);
        QCOMPARE(StubVoucher::made, 0);
    }

    void otherTypesOpenNothing_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("0") << 0;
        QTest::newRow("12") << 12;
        QTest::newRow("99") << 99;
    }
    void otherTypesOpenNothing()
    {
        QFETCH(int, type);
        TestDatabase t;
        registerStubs(true);
        MessageRecorder messages;
        auto main = signedIn(t, 1);
        ledgers::OpenVoucherFromLine(*main, type, 3);
        QCOMPARE(StubVoucher::made, 0);
        QVERIFY(!main->host().find(QStringLiteral("OpeningBalancesAcc")));
        QVERIFY(!main->LOpen);
        QVERIFY(messages.boxes().empty());
    }
};

WINDOW_TEST_MAIN(OpenVoucherTest)
#include "open_voucher_test.moc"
