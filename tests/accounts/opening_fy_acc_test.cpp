// "Import Opening Balances": its refusals and question, the import that holds
// the opening-balance window and reloads it a second later, a double click, a
// close before the tick, a failure part-way, a voucher replaced behind the
// window, and a failed save before it opens.
#include "accounts/opening_fy_acc.h"

#include <QComboBox>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/voucher_line_grid.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "tests/accounts/opening_window.h"
#include "tests/support/window_test_main.h"

using accounts::OpeningFYAcc;
using platform::Money;
using testing_support::OpeningWindow;
namespace ob = testing_support::ob;

namespace {

const char* const kHeld[] = {"CA", "SaveBttn", "CancelBttn", "PrintBill", "ImportBal"};

// Year 1 closes with Cash 500.00 debit and Capital 500.00 credit; the window
// is opened on year 2, whose voucher holds Bank 1.00 debit.
struct Fixture : OpeningWindow {
    Fixture()
    {
        openingLines(ob::kFirstYear, {{ob::Cash, 30000, {}}, {ob::Capital, {}, 30000}});
        voucher(ob::kFirstYear, "2026-08-01", {{ob::Cash, 20000, {}}, {ob::Capital, {}, 20000}});
        openingLines(ob::kSecondYear, {{ob::Bank, 100, {}}});
        open(ob::kSecondYear);
    }
    // Opens the import window from the opening-balance window and chooses `year`.
    OpeningFYAcc* importWindow(const QString& year)
    {
        button("ImportBal")->click();
        auto* import = w->findChild<OpeningFYAcc*>();
        if (import)
            import->findChild<QComboBox*>(QStringLiteral("FinYearList"))->setEditText(year);
        return import;
    }
    QTimer* obTimer(OpeningFYAcc* import) { return import->findChild<QTimer*>(QStringLiteral("OBTimer")); }
    bool held()
    {
        return std::none_of(std::begin(kHeld), std::end(kHeld), [this](const char* n) {
            return w->findChild<QPushButton*>(QString::fromLatin1(n))->isEnabled();
        });
    }
    bool usable()
    {
        return std::all_of(std::begin(kHeld), std::end(kHeld), [this](const char* n) {
            return w->findChild<QPushButton*>(QString::fromLatin1(n))->isEnabled();
        });
    }
    QString total(const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }
    const QStringList before{QStringLiteral("%1:100:").arg(ob::Bank)};
};

} // namespace

class OpeningFYAccTest : public QObject {
    Q_OBJECT

private slots:
    void refusesATextThatIsNoOtherYear_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        const QString wrong = QStringLiteral("Select correct financial year.");
        QTest::newRow("nothing chosen") << QString() << wrong;
        QTest::newRow("no such year") << QStringLiteral("2099-00") << wrong;
        QTest::newRow("the signed-in year")
            << QStringLiteral("2027-28") << QStringLiteral("Opening balances cannot be imported to the same financial year.");
    }
    void refusesATextThatIsNoOtherYear()
    {
        QFETCH(QString, year);
        QFETCH(QString, message);
        Fixture f;
        OpeningFYAcc* import = f.importWindow(year);
        QVERIFY(import && import->isVisible());
        QCOMPARE(import->windowTitle(), QStringLiteral("Import Opening Balances"));
        import->ImportBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Financial Year"));
        QCOMPARE(f.messages.last().text, message);
        QVERIFY(f.messages.last().informationIcon);
        QCOMPARE(f.storedLines(ob::kSecondYear), f.before);
        QVERIFY(import->isVisible());
        QVERIFY(f.usable());
    }

    void importsFromTheRowPickedWhenYearsShareAnAbbreviation_data()
    {
        QTest::addColumn<QString>("shared");   // the third year's abbreviation, another year's too
        QTest::addColumn<int>("picked");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("refusal");
        const QStringList first{QStringLiteral("%1:50000:").arg(ob::Cash), QStringLiteral("%1::50000").arg(ob::Capital)};
        const QStringList third{QStringLiteral("%1:7000:").arg(ob::Bank), QStringLiteral("%1::7000").arg(ob::Loan)};
        QTest::newRow("the first of two") << "2026-27" << ob::kFirstYear << first << QString();
        QTest::newRow("the second of two") << "2026-27" << 3 << third << QString();
        QTest::newRow("another year named as the signed-in one") << "2027-28" << 3 << third << QString();
        QTest::newRow("the signed-in year named as another")
            << "2027-28" << ob::kSecondYear << QStringList()
            << QStringLiteral("Opening balances cannot be imported to the same financial year.");
    }
    void importsFromTheRowPickedWhenYearsShareAnAbbreviation()
    {
        QFETCH(QString, shared);
        QFETCH(int, picked);
        QFETCH(QStringList, added);
        QFETCH(QString, refusal);
        Fixture f;
        {
            platform::Transaction tx(f.t.db());
            app::addYear(tx, {3, QDate(2025, 7, 1), QDate(2026, 6, 30), shared},
                         {1, QDateTime(QDate(2026, 12, 10), QTime(9, 0))});
            tx.commit();
        }
        f.voucher(3, "2025-08-01", {{ob::Bank, 7000, {}}, {ob::Loan, {}, 7000}});
        OpeningFYAcc* import = f.importWindow(QString());
        auto* years = import->findChild<QComboBox*>(QStringLiteral("FinYearList"));
        int sharing = 0;
        for (int i = 0; i < years->count(); ++i)
            sharing += years->itemText(i) == shared ? 1 : 0;
        QCOMPARE(sharing, 2);
        QVERIFY(years->findData(picked) >= 0);
        years->setCurrentIndex(years->findData(picked));
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        if (!refusal.isEmpty()) {
            QCOMPARE(f.messages.last().title, QStringLiteral("Financial Year"));
            QCOMPARE(f.messages.last().text, refusal);
        } else {
            QCOMPARE(f.messages.last().title, QStringLiteral("Import Confirmation"));
        }
        QCOMPARE(f.storedLines(ob::kSecondYear), f.before + added);
    }

    void answeringNoChangesNothing()
    {
        Fixture f;
        OpeningFYAcc* import = f.importWindow(QStringLiteral("2026-27"));
        f.messages.answer(forms::Answer::No);
        import->ImportBttn_Click();
        const forms::MessageBox question = f.messages.last();
        QCOMPARE(question.title, QStringLiteral("Import Confirmation"));
        QCOMPARE(question.text, QStringLiteral("Are you sure, you want to import accounts balances?"));
        QCOMPARE(question.buttons, forms::Buttons::YesNo);
        QVERIFY(!question.informationIcon);
        QCOMPARE(f.storedLines(ob::kSecondYear), f.before);
        QVERIFY(import->isVisible());
        QVERIFY(!f.obTimer(import)->isActive());
        QVERIFY(f.usable());
    }

    void importsOnceThenReloadsTheOpeningBalancesASecondLater()
    {
        Fixture f;
        // An edit not yet saved is saved before the import window opens.
        auto lines = f.w->lineGrid()->lines();
        lines.insert(lines.begin() + 1, accounts::SubTranRow{0, ob::Loan, QStringLiteral("Short Loan"), {}, {},
                                                             Money::fromCents(50)});
        f.w->lineGrid()->setLines(lines);
        OpeningFYAcc* import = f.importWindow(QStringLiteral("2026-27"));
        const QStringList saved = f.before + QStringList{QStringLiteral("%1::50").arg(ob::Loan)};
        QCOMPARE(f.storedLines(ob::kSecondYear), saved);

        f.messages.answer(forms::Answer::Yes);
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        import->ImportBttn_Click();   // a double click imports once and asks once
        const QStringList imported =
            saved + QStringList{QStringLiteral("%1:50000:").arg(ob::Cash), QStringLiteral("%1::50000").arg(ob::Capital)};
        QCOMPARE(f.storedLines(ob::kSecondYear), imported);
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        // Until the tick the window shows no lines and its buttons are off.
        QVERIFY(f.held());
        QVERIFY(f.w->lineGrid()->lines().empty());
        QVERIFY(f.obTimer(import)->isActive());
        QCOMPARE(f.obTimer(import)->interval(), 1000);

        QTRY_VERIFY(!f.w->findChild<OpeningFYAcc*>());
        QVERIFY(f.usable());
        const auto& shown = f.w->lineGrid()->lines();
        QCOMPARE(shown[0].accCode, ob::Bank);
        QCOMPARE(shown[2].accCode, ob::Cash);
        QCOMPARE(shown[2].debit, Money::fromCents(50000));
        QCOMPARE(shown[3].credit, Money::fromCents(50000));
        QVERIFY(!shown[4].accCode);   // blank lines to type in again
        QCOMPARE(f.total("DTot"), QStringLiteral("501.00"));
        QCOMPARE(f.total("CTot"), QStringLiteral("500.50"));
        QCOMPARE(f.storedLines(ob::kSecondYear), imported);
    }

    void closedBeforeTheTickGivesTheOpeningBalancesBack_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("the window's close") << false;
    }
    void closedBeforeTheTickGivesTheOpeningBalancesBack()
    {
        QFETCH(bool, escape);
        Fixture f;
        QPointer<OpeningFYAcc> import = f.importWindow(QStringLiteral("2026-27"));
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        QVERIFY(f.held() && f.obTimer(import)->isActive());
        if (escape)
            QTest::keyClick(import.data(), Qt::Key_Escape);
        else
            import->close();
        QTRY_VERIFY(!import);
        // The lines written are shown and the window is usable at once.
        QVERIFY(f.usable());
        const auto& shown = f.w->lineGrid()->lines();
        QCOMPARE(shown[0].accCode, ob::Bank);
        QCOMPARE(shown[1].accCode, ob::Cash);
        QCOMPARE(shown[2].accCode, ob::Capital);
        QCOMPARE(f.total("DTot"), QStringLiteral("501.00"));
    }

    void aFailurePartWayLeavesTheLinesAsTheyWere()
    {
        Fixture f;
        f.t.db().execScript("CREATE TRIGGER NoCapital BEFORE INSERT ON SubTransactions WHEN NEW.AccCode = 30001001"
                            " BEGIN SELECT RAISE(ABORT, 'no capital today'); END;");
        OpeningFYAcc* import = f.importWindow(QStringLiteral("2026-27"));
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(f.messages.last().text.contains(QStringLiteral("no capital today")));
        QCOMPARE(f.storedLines(ob::kSecondYear), f.before);   // Cash, written before Capital, is gone too
        QVERIFY(!f.obTimer(import)->isActive());
        QVERIFY(import->isVisible());
        QVERIFY(import->findChild<QPushButton*>(QStringLiteral("ImportBttn"))->isEnabled());
        QVERIFY(f.usable());
        QCOMPARE(f.w->lineGrid()->lines()[0].accCode, ob::Bank);

        // Once the cause is gone the same window imports.
        f.t.db().execScript("DROP TRIGGER NoCapital;");
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        QCOMPARE(f.storedLines(ob::kSecondYear).size(), 3);
    }

    void aVoucherReplacedBehindTheWindowIsNotWrittenTo()
    {
        Fixture f;
        OpeningFYAcc* import = f.importWindow(QStringLiteral("2026-27"));
        const auto old = f.w->tranNo();
        f.t.db().exec("DELETE FROM Transactions WHERE TranNo = ?", {old});   // the year was cleared meanwhile
        f.messages.answer(forms::Answer::Yes);
        import->ImportBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Import"));
        QCOMPARE(f.t.db().scalar("SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
                                 " WHERE t.FYID = ?", {ob::kSecondYear}).toInt(), 0);
        // The window now edits the year's voucher as it stands.
        QVERIFY(f.w->tranNo() != old);
        QCOMPARE(f.w->tranNo(), *app::openingVoucherOf(f.t.db(), ob::kSecondYear));
        QVERIFY(f.usable());
    }

    void linesThatCannotBeSavedOpenNoImport()
    {
        Fixture f;
        f.w->lineGrid()->setLines({accounts::SubTranRow{0, ob::Rent, QStringLiteral("Office Rent"), {},
                                                        Money::fromCents(500), {}}});
        f.t.db().exec("DELETE FROM AccLevel3 WHERE AccCode = ?", {ob::Rent});   // gone behind the window
        QVERIFY(!f.importWindow(QStringLiteral("2026-27")));
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Account"));
        QCOMPARE(f.storedLines(ob::kSecondYear), f.before);
    }
};

WINDOW_TEST_MAIN(OpeningFYAccTest)
#include "opening_fy_acc_test.moc"
