#include "platform/forms/exact_text.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "tests/support/window_test_main.h"

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class ExactTextTest : public QObject {
    Q_OBJECT

private slots:
    void anUneditedTextComesBackAsGiven_data()
    {
        QTest::addColumn<QString>("given");
        QTest::newRow("no-break spaces") << u("Rs.\xC2\xA0" "100\xC2\xA0\xC2\xA0paid");
        QTest::newRow("CRLF") << u("line one\r\nline two\r\n");
        QTest::newRow("line separator") << u("one\xE2\x80\xA8two");
        QTest::newRow("paragraph separator") << u("one\xE2\x80\xA9two");
        QTest::newRow("lone CR and LF mixed") << u("a\rb\nc\r\n\r\nd");
        QTest::newRow("empty") << QString();
    }
    void anUneditedTextComesBackAsGiven()
    {
        QFETCH(QString, given);
        QPlainTextEdit box;
        forms::setExactText(&box, given);
        QCOMPARE(forms::exactText(&box), given);
    }

    void anEditKeepsTheGivenBreaksAroundIt_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("typed");   // "\n" types Enter
        QTest::addColumn<QString>("saved");
        QTest::newRow("a word into CRLF lines") << u("ab\r\ncd\r\nef") << 4 << u("X") << u("ab\r\ncXd\r\nef");
        QTest::newRow("a new line among CRLF lines") << u("ab\r\ncd") << 2 << u("\n") << u("ab\r\n\ncd");
        QTest::newRow("no-break space and line separator typed")
            << u("a\r\nb") << 3 << u("\xC2\xA0\xE2\x80\xA8") << u("a\r\nb\xC2\xA0\xE2\x80\xA8");
    }
    void anEditKeepsTheGivenBreaksAroundIt()
    {
        QFETCH(QString, given);
        QFETCH(int, at);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QPlainTextEdit box;
        forms::setExactText(&box, given);
        QTextCursor c = box.textCursor();
        c.setPosition(at);
        box.setTextCursor(c);
        for (const QChar ch : typed) {
            if (ch == QLatin1Char('\n'))
                QTest::keyClick(&box, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        QCOMPARE(forms::exactText(&box), saved);
    }

    void aClearedBoxGivesWhatIsTypedAfterwards()
    {
        QPlainTextEdit box;
        forms::setExactText(&box, u("ab\r\ncd"));
        forms::setExactText(&box, QString());
        QTest::keyClicks(&box, QStringLiteral("x"));
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("cd"));
        QCOMPARE(forms::exactText(&box), u("x\ncd"));
    }
};

WINDOW_TEST_MAIN(ExactTextTest)
#include "exact_text_test.moc"
