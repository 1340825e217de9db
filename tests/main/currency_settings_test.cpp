// "Currency Settings": the stored country shown, a pick proposing its currency,
// the save into both tables and the sign-in state, quotes, the three-character
// symbol, a country not picked, and closing without a save.
#include "main/currency_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/database.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::CurrencySettings;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

QLineEdit* box(CurrencySettings& w, const char* name)
{
    return w.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QComboBox* countries(CurrencySettings& w)
{
    return w.findChild<QComboBox*>("CountryList");
}

void pick(CurrencySettings& w, const char* country)
{
    countries(w)->setCurrentIndex(countries(w)->findText(QString::fromUtf8(country)));
}

// "Country|CurrencyName|CCode" of the business row.
QString business(TestDatabase& t)
{
    return QString::fromStdString(
        t.db().scalar("SELECT Country || '|' || CurrencyName || '|' || CCode FROM BusinessInfo").toText());
}

// "symbol|name" of a country's row.
QString reference(TestDatabase& t, const char* country)
{
    return QString::fromStdString(
        t.db()
            .scalar("SELECT \"CCode\u00a0\u00a0\" || '|' || \"Curency\u00a0\u00a0\" FROM Currencies WHERE Country = ?",
                    {country})
            .toText());
}

} // namespace

class CurrencySettingsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void pickingACountryProposesItsCurrencyAndSaveWritesBothRows()
    {
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET CurrencyName = 'Dollars', CCode = 'US$'");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        CurrencySettings w(*main);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Currency Settings"));
        // The stored country with the business's own name and symbol, not the list's.
        QCOMPARE(countries(w)->currentText(), QStringLiteral("United States"));
        QCOMPARE(box(w, "CName")->text(), QStringLiteral("Dollars"));
        QCOMPARE(box(w, "CSymbol")->text(), QStringLiteral("US$"));

        pick(w, "Kenya");
        QCOMPARE(box(w, "CName")->text(), QStringLiteral("Kenyan Shillings"));
        QCOMPARE(box(w, "CSymbol")->text(), QStringLiteral("KSh"));
        const QString unitedStates = reference(t, "United States");
        w.findChild<QPushButton*>("SaveBttn")->click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(business(t), QStringLiteral("Kenya|Kenyan Shillings|KSh"));
        QCOMPARE(reference(t, "Kenya"), QStringLiteral("KSh|Kenyan Shillings"));
        QCOMPARE(reference(t, "United States"), unitedStates);
        QCOMPARE(main->CurrencyName, QStringLiteral("Kenyan Shillings"));
        QCOMPARE(main->CurrencySymbol, QStringLiteral("KSh"));
    }

    void theShownCountrysRowTakesQuotesAndAThreeCharacterSymbol()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        CurrencySettings w(*main);
        w.show();
        // No pick during the visit: the row written is the stored country's.
        box(w, "CName")->setText(QStringLiteral("Uncle Sam's \"greenbacks\""));
        box(w, "CSymbol")->clear();
        QTest::keyClicks(box(w, "CSymbol"), QStringLiteral("G'$X"));
        QCOMPARE(box(w, "CSymbol")->text(), QStringLiteral("G'$"));
        w.SaveBttn_Click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(reference(t, "United States"), QStringLiteral("G'$|Uncle Sam's \"greenbacks\""));
        QCOMPARE(business(t), QStringLiteral("United States|Uncle Sam's \"greenbacks\"|G'$"));
        QCOMPARE(main->CurrencySymbol, QStringLiteral("G'$"));
    }

    void aCountryNotShownCannotBeSaved()
    {
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET Country = 'Atlantis'");
        auto main = signed_in::mainWindow(t);
        const QString before = business(t);
        MessageRecorder boxes;
        CurrencySettings w(*main);
        w.show();
        QApplication::setActiveWindow(&w);
        QCOMPARE(countries(w)->currentIndex(), -1);
        box(w, "CName")->setFocus();
        w.SaveBttn_Click();
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CountryList"));
        QCOMPARE(business(t), before);
        QVERIFY(w.isVisible());
    }

    void closingOrCancellingWritesNothing()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        main->CurrencySymbol = QStringLiteral("$");
        const QString before = business(t) + reference(t, "Kenya");
        MessageRecorder boxes;
        for (bool byCloseBox : {true, false}) {
            CurrencySettings w(*main);
            w.show();
            pick(w, "Kenya");
            box(w, "CSymbol")->setText(QStringLiteral("K"));
            if (byCloseBox)
                w.close();
            else
                w.findChild<QPushButton*>("CancelBttn")->click();
            QCOMPARE(business(t) + reference(t, "Kenya"), before);
            QCOMPARE(main->CurrencySymbol, QStringLiteral("$"));
        }
        QVERIFY(boxes.boxes().empty());
    }

    void anOperatorWhoOpensItByNameIsRefused()
    {
        signed_in::checkRefusedToOperator<CurrencySettings>(
            "You do not have access to edit currency settings.", [](CurrencySettings& w, TestDatabase& t) {
                const QString before = business(t);
                w.SaveBttn_Click();
                QCOMPARE(business(t), before);
            });
    }
};

WINDOW_TEST_MAIN(CurrencySettingsTest)
#include "currency_settings_test.moc"
