#include "platform/forms/length_limit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QTest>
#include <QTextCursor>

#include "tests/support/window_test_main.h"

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void paste(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

// The text of a box of several lines, a line break as "\n".
QString plain(const QPlainTextEdit& box)
{
    return box.document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

class LengthLimitTest : public QObject {
    Q_OBJECT

private slots:
    void aPasteIsCutToTheRoomLeftAtAWholeCharacter_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("from");      // the selection the paste replaces
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");
        QTest::newRow("emoji at the edge") << u("") << 0 << 0 << u("ab😀😀") << 3 << u("ab😀") << 4;
        QTest::newRow("into the middle") << u("abcd") << 2 << 2 << u("XYZ") << 6 << u("abXYcd") << 4;
        QTest::newRow("over a selection") << u("abcdef") << 2 << 4 << u("😀😀😀") << 6 << u("ab😀😀ef") << 6;
        QTest::newRow("an accent goes with its letter") << u("") << 0 << 0 << u("ae\xCC\x81") << 2 << u("a") << 1;
        QTest::newRow("beside an emoji alike") << u("x😀") << 3 << 3 << u("😀😀") << 3 << u("x😀😀") << 5;
        QTest::newRow("nothing fits") << u("abc") << 3 << 3 << u("😀") << 3 << u("abc") << 3;
    }
    void aPasteIsCutToTheRoomLeftAtAWholeCharacter()
    {
        QFETCH(QString, before);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, pasted);
        QFETCH(int, limit);
        QFETCH(QString, after);
        QFETCH(int, cursor);
        QLineEdit box;
        box.setText(before);
        forms::limitLength(&box, limit);
        box.setSelection(from, to - from);
        paste(pasted);
        box.paste();
        QCOMPARE(box.text(), after);
        QCOMPARE(box.cursorPosition(), cursor);
        QCOMPARE(forms::lengthLimit(&box), limit);
    }

    void aTextSetOrTypedHoldsWholeCharactersOnly()
    {
        QLineEdit box;
        forms::limitLength(&box, 3);
        box.setText(u("ab😀😀"));
        QCOMPARE(box.text(), u("ab😀"));
        box.clear();
        QTest::keyClicks(&box, QStringLiteral("ab"));
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, u("😀"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, u("😁"), Qt::NoModifier);
        QTest::keyClicks(&box, QStringLiteral("c"));
        QCOMPARE(box.text(), u("ab😀"));
        QVERIFY(box.hasAcceptableInput());
    }

    void anEarlierValidatorStillJudgesTheText()
    {
        QLineEdit box;
        box.setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &box));
        forms::limitLength(&box, 4);
        paste(QStringLiteral("123456"));
        box.paste();
        QCOMPARE(box.text(), QStringLiteral("1234"));
        box.clear();
        QTest::keyClicks(&box, QStringLiteral("1x2"));
        QCOMPARE(box.text(), QStringLiteral("12"));
        QCOMPARE(forms::lengthLimit(&box), 4);
    }

    void aBoxOfSeveralLinesIsCutAtAWholeCharacter_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        // A limit of 6; a line break counts as one character.
        QTest::newRow("emoji at the edge") << u("abcde") << 5 << u("😀😀") << u("abcde😀");
        QTest::newRow("into the middle, text after kept") << u("ab\ncd") << 2 << u("XYZ") << u("abX\ncd");
        QTest::newRow("a break takes room") << u("abc") << 3 << u("\n\n\n\n") << u("abc\n\n\n");
        QTest::newRow("an accent goes with its letter") << u("abcd") << 4 << u("xe\xCC\x81") << u("abcdx");
    }
    void aBoxOfSeveralLinesIsCutAtAWholeCharacter()
    {
        QFETCH(QString, before);
        QFETCH(int, at);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QPlainTextEdit box;
        box.setPlainText(before);
        forms::limitLength(&box, 6);
        QTextCursor c = box.textCursor();
        c.setPosition(at);
        box.setTextCursor(c);
        paste(pasted);
        box.paste();
        QCOMPARE(plain(box), after);
        QCOMPARE(forms::lengthLimit(&box), 6);
    }

    void aBoxOfSeveralLinesRefusesATypedCharacterThatDoesNotFit()
    {
        QPlainTextEdit box;
        forms::limitLength(&box, 3);
        QTest::keyClicks(&box, QStringLiteral("ab"));
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, u("😀"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, u("😁"), Qt::NoModifier);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(plain(box), u("ab😀"));
        box.setPlainText(u("wxyz"));
        QCOMPARE(plain(box), u("wxy"));
    }

    // A cut never costs the box its undo steps: undo takes back the shortened
    // insertion and nothing before it, by key, by paste, in both kinds of box.
    void undoTakesBackWhatWasCutAndNoMore()
    {
        {
            QLineEdit box;
            forms::limitLength(&box, 5);
            QTest::keyClicks(&box, QStringLiteral("ab"));
            // Moving the cursor ends the typing's undo step, as a person does.
            QTest::keyClick(&box, Qt::Key_Home);
            QTest::keyClick(&box, Qt::Key_End);
            paste(QStringLiteral("123456789"));
            QTest::keySequence(&box, QKeySequence::Paste);
            QCOMPARE(box.text(), QStringLiteral("ab123"));
            QTest::keyClicks(&box, QStringLiteral("x"));   // refused: the box is full
            QCOMPARE(box.text(), QStringLiteral("ab123"));
            box.undo();
            QCOMPARE(box.text(), QStringLiteral("ab"));
            box.redo();
            QCOMPARE(box.text(), QStringLiteral("ab123"));
        }
        {
            QPlainTextEdit box;
            forms::limitLength(&box, 5);
            QTest::keyClicks(&box, QStringLiteral("ab"));
            paste(QStringLiteral("123456789"));
            box.paste();
            QCOMPARE(plain(box), QStringLiteral("ab123"));
            box.undo();
            QCOMPARE(plain(box), QStringLiteral("ab"));
        }
    }

    // A text set or dropped in a cut is read around the cursor: what the box
    // held before stays, the new text is what is cut.
    void aCutKeepsWhatTheBoxHeldAroundTheCursor()
    {
        QLineEdit box;
        forms::limitLength(&box, 3);
        box.setText(QStringLiteral("ab"));
        box.setCursorPosition(1);
        box.insert(QStringLiteral("bX"));
        QCOMPARE(box.text(), QStringLiteral("abb"));
    }

    void aBoxWithoutLimitSaysSo()
    {
        QLineEdit box;
        QCOMPARE(forms::lengthLimit(&box), -1);
    }
};

WINDOW_TEST_MAIN(LengthLimitTest)
#include "length_limit_test.moc"
