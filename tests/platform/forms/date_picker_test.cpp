// The shared date picker: its range and typing a date from the keyboard after
// a click or a Tab, as a user would.
#include "platform/forms/date_picker.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "tests/support/window_test_main.h"

class DatePickerTest : public QObject {
    Q_OBJECT

private slots:
    void spansNineteenHundredToTwentyNinetyNine()
    {
        QWidget w;
        QDateEdit* d = forms::makeDatePicker(&w, "D");
        QCOMPARE(d->objectName(), QStringLiteral("D"));
        QCOMPARE(d->minimumDate(), QDate(1900, 1, 1));
        QCOMPARE(d->maximumDate(), QDate(2099, 12, 31));
        d->setDate({2000, 1, 1});
        QCOMPARE(d->date(), QDate(2000, 1, 1));
    }

    void takesTypedDigits_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<QString>("why");   // the tip at the box when the typed date is refused
        const QString noDate = QStringLiteral("No such date; it stays 10-Dec-2026.");
        QTest::newRow("a click, then the day") << true << "31" << QDate(2026, 12, 31) << "";
        QTest::newRow("a click into the year, then the day") << true << "7" << QDate(2026, 12, 7) << "";
        QTest::newRow("Tab, then a whole date") << false << "05032027" << QDate(2027, 3, 5) << "";
        QTest::newRow("separators") << false << "1-2-2027" << QDate(2027, 2, 1) << "";
        QTest::newRow("a year past the range is not taken") << false << "01012100" << QDate(2026, 12, 10)
                                                             << "Dates run from 1900 to 2099; it stays 10-Dec-2026.";
        QTest::newRow("a day the month has not") << false << "31022027" << QDate(2026, 12, 10) << noDate;
        QTest::newRow("a month past December") << false << "01132027" << QDate(2026, 12, 10) << noDate;
        QTest::newRow("Tab after a day the month has not") << false << "31-02\t" << QDate(2026, 12, 10) << noDate;
        QTest::newRow("a second date over the first") << false << "0101202702022028" << QDate(2028, 2, 2) << "";
    }
    void takesTypedDigits()
    {
        QFETCH(bool, byMouse);
        QFETCH(QString, keys);
        QFETCH(QDate, expected);
        QFETCH(QString, why);
        QWidget w;
        auto* before = new QLineEdit(&w);
        QDateEdit* d = forms::makeDatePicker(&w, "D");
        auto* layout = new QVBoxLayout(&w);
        layout->addWidget(before);
        layout->addWidget(d);
        d->setDate({2026, 12, 10});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        before->setFocus();
        if (byMouse) {
            // A click near the right-hand end, over the year.
            QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(d->width() - 30, d->height() / 2));
        } else {
            QTest::keyClick(before, Qt::Key_Tab);
        }
        QTRY_VERIFY(d->hasFocus());
        QCoreApplication::processEvents();
        const qsizetype tab = keys.indexOf(QLatin1Char('\t'));   // then Tab
        QTest::keyClicks(d, tab < 0 ? keys : keys.left(tab));
        if (tab >= 0)
            QTest::keyClick(d, Qt::Key_Tab);
        QCOMPARE(d->date(), expected);
        auto* note = w.findChild<QLabel*>(QStringLiteral("DateRefusal"));
        if (why.isEmpty()) {
            QVERIFY(!note || !note->isVisible());
            return;
        }
        QVERIFY(note);
        QTest::qWait(400);   // outlives the key's release, which ends a tool tip
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), why);
        QTest::keyClicks(d, QStringLiteral("1"));   // typing again puts it away
        QVERIFY(!note->isVisible());
    }

    void aReasonWiderThanItsWindowWrapsWithinIt()
    {
        QWidget w;
        w.resize(150, 200);
        QDateEdit* d = forms::makeDatePicker(&w, "D");
        d->setGeometry(10, 10, 120, 24);
        d->setDate({2026, 12, 10});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        d->setFocus();
        QTRY_VERIFY(d->hasFocus());
        QTest::keyClicks(d, QStringLiteral("01012100"));
        auto* note = w.findChild<QLabel*>(QStringLiteral("DateRefusal"));
        QVERIFY(note);
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("Dates run from 1900 to 2099; it stays 10-Dec-2026."));
        QVERIFY(QRect(QPoint(0, 0), w.size()).contains(note->geometry()));
        QVERIFY(note->heightForWidth(note->width()) <= note->height());
    }

    void aClickSelectsTheWholeDateAndLeavesIt()
    {
        QWidget w;
        QDateEdit* d = forms::makeDatePicker(&w, "D");
        auto* layout = new QVBoxLayout(&w);
        layout->addWidget(new QLineEdit(&w));
        layout->addWidget(d);
        d->setDate({2026, 12, 10});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(d, Qt::LeftButton);
        auto* edit = d->findChild<QLineEdit*>();
        QVERIFY(edit);
        QTRY_VERIFY(edit->hasSelectedText());
        QCOMPARE(edit->selectedText(), QStringLiteral("10-Dec-2026"));   // the click did not step the date
    }
};

WINDOW_TEST_MAIN(DatePickerTest)
#include "date_picker_test.moc"
