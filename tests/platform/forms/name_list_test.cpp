// The list of names: its width whatever its entries, its open list as wide as
// its widest entry within the screen, and the entry a text is.
#include "platform/forms/name_list.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include "tests/support/window_test_main.h"

namespace {

using forms::NameList;

// A name of `characters` wide letters after a word.
QString longName(int characters)
{
    return (QStringLiteral("Petty ") + QString(characters, QLatin1Char('W'))).left(characters);
}

} // namespace

class NameListTest : public QObject {
    Q_OBJECT

private slots:
    void keepsItsWidthWhateverItsEntries()
    {
        NameList list(nullptr, "List", NameList::Typing::AsTyped);
        const QSize empty = list.sizeHint();
        list.addItem(longName(255));
        list.setCurrentIndex(0);
        list.show();
        QCOMPARE(list.sizeHint(), empty);
        QCOMPARE(list.minimumSizeHint().width(), empty.width());
        QCOMPARE(list.lineEdit()->cursorPosition(), 0);   // the name's start in sight
        QCOMPARE(list.toolTip(), longName(255));
    }

    void opensAsWideAsItsWidestEntryWithinTheScreen_data()
    {
        QTest::addColumn<int>("characters");
        QTest::newRow("a name wider than the box") << 60;
        QTest::newRow("a name wider than the screen") << 255;
    }
    void opensAsWideAsItsWidestEntryWithinTheScreen()
    {
        QFETCH(int, characters);
        QWidget window;
        auto* list = new NameList(&window, "List", NameList::Typing::FillIn);
        (new QVBoxLayout(&window))->addWidget(list);
        const QString name = longName(characters);
        list->addItem(QStringLiteral("Short"));
        list->addItem(name);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(list->fontMetrics().horizontalAdvance(name) > list->width());
        list->showPopup();
        QWidget* popup = list->view()->window();
        const QRect screen = list->screen()->availableGeometry();
        QVERIFY(screen.contains(popup->geometry()));
        const bool whole = list->view()->fontMetrics().horizontalAdvance(name) <= list->view()->viewport()->width();
        QCOMPARE(whole, popup->width() < screen.width());
        QCOMPARE(list->itemData(1, Qt::ToolTipRole).toString(), whole ? QString() : name);
        QVERIFY(list->itemData(0, Qt::ToolTipRole).toString().isEmpty());
        list->hidePopup();
    }

    // Typed text stays as typed when the focus leaves; the entry it is must
    // have exactly its text, and of two such the one picked.
    void aTypedTextIsTheEntryOfExactlyThatText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entry");
        QTest::newRow("an entry in its own letters") << "petty" << 2;
        QTest::newRow("an entry's start") << "Pet" << -1;
        QTest::newRow("an entry in other letters") << "PETTY" << -1;
        QTest::newRow("nothing") << "" << -1;
    }
    void aTypedTextIsTheEntryOfExactlyThatText()
    {
        QFETCH(QString, typed);
        QFETCH(int, entry);
        QWidget window;
        auto* list = new NameList(&window, "List", NameList::Typing::AsTyped);
        auto* next = new QPushButton(QStringLiteral("Next"), &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(next);
        list->addItems({QStringLiteral("Petty"), QStringLiteral("Petty"), QStringLiteral("petty")});
        list->setCurrentIndex(-1);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        list->setFocus();
        QTest::keyClicks(list, typed);
        next->setFocus();
        QCOMPARE(list->currentText(), typed);
        QCOMPARE(forms::exactEntry(list), entry);

        list->setCurrentIndex(1);   // the second of two of one name, picked
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        next->setFocus();
        QCOMPARE(forms::exactEntry(list), 1);
    }
};

WINDOW_TEST_MAIN(NameListTest)
#include "name_list_test.moc"
