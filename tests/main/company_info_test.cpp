// "Company Setup": the nine boxes, the headings of the sign-in state after a
// save, a save that writes only its own columns, and its refusals.
#include "main/company_info.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::CompanyInfo;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

QLineEdit* info(CompanyInfo& w, int index)
{
    auto* b = w.findChild<QLineEdit*>(QStringLiteral("Info%1").arg(index));
    if (!b)
        qFatal("no Info%d", index);
    return b;
}

QString stored(TestDatabase& t, const char* column)
{
    return QString::fromStdString(t.db().scalar(std::string("SELECT ") + column + " FROM BusinessInfo").toText());
}

} // namespace

class CompanyInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void showsTheStoredDetailsInBoxesOfTheirLengths()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        CompanyInfo w(*main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Company Setup"));
        QCOMPARE(w.pos(), QPoint(0, 0));
        const int lengths[] = {100, 150, 100, 100, 100, 100, 100, 100, 200};
        const char* columns[] = {"Name", "Address", "Telephones", "Fax", "Website", "Email", "NTN", "SalesTaxReg",
                                 "Description"};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(forms::lengthLimit(info(w, i)), lengths[i]);
            QCOMPARE(info(w, i)->text(), stored(t, columns[i]));
        }
        QCOMPARE(info(w, 0)->text(), QStringLiteral("My Business"));
        QVERIFY(boxes.boxes().empty());
    }

    void saveWritesTheBoxesAndThenTheHeadings_data()
    {
        QTest::addColumn<QString>("fax");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("bizTel");
        QTest::addColumn<QString>("bizEMail");
        QTest::newRow("without a fax") << "" << "" << "Tel: 555-1, 555-2" << "E-Mail: ";
        QTest::newRow("with a fax") << "123" << "o@x.example" << "Tel: 555-1, 555-2   Fax: 123"
                                    << "E-Mail: o@x.example";
    }
    void saveWritesTheBoxesAndThenTheHeadings()
    {
        QFETCH(QString, fax);
        QFETCH(QString, email);
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        CompanyInfo w(*main);
        w.show();
        info(w, 0)->setText(QStringLiteral("O'Brien's Stores"));
        info(w, 1)->setText(QStringLiteral("4 Dock Lane"));
        info(w, 2)->setText(QStringLiteral("555-1, 555-2"));
        info(w, 3)->setText(fax);
        info(w, 5)->setText(email);
        info(w, 8)->setText(QStringLiteral("Paint"));
        // Written elsewhere while the window is open: not the window's columns, so they stay.
        t.db().exec("UPDATE BusinessInfo SET CoMemo = 'meeting at 3', Posting = 0, CCode = 'Rs'");
        w.findChild<QPushButton*>("SaveBttn")->click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(stored(t, "Name"), QStringLiteral("O'Brien's Stores"));
        QCOMPARE(stored(t, "Fax"), fax);
        QCOMPARE(stored(t, "Description"), QStringLiteral("Paint"));
        QCOMPARE(stored(t, "CoMemo || Posting || CCode"), QStringLiteral("meeting at 30Rs"));
        QCOMPARE(main->BizName, QStringLiteral("O'Brien's Stores"));
        QCOMPARE(main->BizAdd, QStringLiteral("4 Dock Lane"));
        QFETCH(QString, bizTel);
        QFETCH(QString, bizEMail);
        QCOMPARE(main->BizTel, bizTel);
        QCOMPARE(main->BizEMail, bizEMail);
    }

    void cancelAndRefusalsWriteNothing()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        {
            CompanyInfo w(*main);
            w.show();
            info(w, 0)->setText(QStringLiteral("Dropped"));
            w.findChild<QPushButton*>("CancelBttn")->click();
            QCOMPARE(w.result(), int(QDialog::Rejected));
        }
        QCOMPARE(stored(t, "Name"), QStringLiteral("My Business"));
        QCOMPARE(main->BizName, QStringLiteral("My Business"));
        QVERIFY(boxes.boxes().empty());

        // Without the business row the save says so and keeps the window and the headings.
        t.db().exec("DELETE FROM BusinessInfo");
        CompanyInfo w(*main);
        w.show();
        info(w, 0)->setText(QStringLiteral("Nowhere"));
        w.SaveBttn_Click();
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QVERIFY(w.isVisible());
        QCOMPARE(main->BizName, QStringLiteral("My Business"));
    }

    void anOperatorWhoOpensItByNameIsRefused()
    {
        signed_in::checkRefusedToOperator<CompanyInfo>(
            "You do not have access to edit business details.", [](CompanyInfo& w, TestDatabase& t) {
                info(w, 0)->setText(QStringLiteral("Mine now"));
                w.SaveBttn_Click();
                QCOMPARE(stored(t, "Name"), QStringLiteral("My Business"));
            });
    }
};

WINDOW_TEST_MAIN(CompanyInfoTest)
#include "company_info_test.moc"
