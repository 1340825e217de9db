// The troubleshooting window: the answer of HelpID shown read only, and an id
// without a row leaving it empty.
#include "main/help_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

#include "main/parent.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;

class HelpFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void showsTheAnswerOfHelpIdReadOnly()
    {
        TestDatabase t;
        t.db().exec("INSERT INTO HelpIndex (ID, Heading, Matter) VALUES (9, 'A <b>heading</b>', "
                    "'<p>First <b>bold</b> answer</p>')");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        main->HelpID = 9;
        app::HelpForm w(*main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Troubleshooting"));
        QCOMPARE(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("A <b>heading</b>"));
        QCOMPARE(w.findChild<QLabel*>("Label1")->textFormat(), Qt::PlainText);
        auto* matter = w.findChild<QTextBrowser*>("RichTextBox1");
        QVERIFY(matter->isReadOnly());
        QCOMPARE(matter->toPlainText(), QStringLiteral("First bold answer"));   // formatted, not markup
        QCOMPARE(w.findChild<QLineEdit*>("EmpID")->text(), QStringLiteral("9"));

        main->HelpID = 99;
        app::HelpForm empty(*main);
        QCOMPARE(empty.findChild<QLabel*>("Label1")->text(), QString());
        QCOMPARE(empty.findChild<QTextBrowser*>("RichTextBox1")->toPlainText(), QString());
        QVERIFY(boxes.boxes().empty());
    }
};

WINDOW_TEST_MAIN(HelpFormTest)
#include "help_form_test.moc"
