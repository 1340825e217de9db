// Fitting text to its room: the font search, the total box that shrinks its
// text, and boxes kept under a grid's columns.
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include "platform/forms/column_totals.h"
#include "platform/forms/fit_text.h"

namespace {

QFont pointFont(qreal points)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    return f;
}

QFont pixelFont(int pixels)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    return f;
}

int advance(const QFont& f, const QString& text)
{
    return QFontMetrics(f).horizontalAdvance(text);
}

} // namespace

class FitTextTest : public QObject {
    Q_OBJECT

private slots:
    void fontToFitShrinksOnlyWhatIsTooWide_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("extra");   // pixels of room beyond the text's width at `font`
        QTest::addColumn<bool>("same");
        QTest::newRow("a pixel to spare") << pointFont(10) << 1 << true;
        QTest::newRow("room to spare") << pointFont(10) << 40 << true;
        QTest::newRow("a pixel short") << pointFont(10) << -1 << false;
        QTest::newRow("half the room") << pointFont(10) << -100 << false;
        QTest::newRow("a font in pixels") << pixelFont(14) << -30 << false;
    }
    void fontToFitShrinksOnlyWhatIsTooWide()
    {
        QFETCH(QFont, font);
        QFETCH(int, extra);
        QFETCH(bool, same);
        const QString text = QStringLiteral("(599999999999.94)  Credit ");
        const int room = advance(font, text) + extra;
        const QFont fitted = forms::fontToFit(font, text, room);
        QCOMPARE(fitted == font, same);
        QVERIFY2(advance(fitted, text) <= room, qPrintable(QString::number(advance(fitted, text))));
        QCOMPARE(QFontMetrics(fitted).elidedText(text, Qt::ElideRight, room), text);
        QCOMPARE(fitted.family(), font.family());
        if (font.pixelSize() > 0)
            QVERIFY(fitted.pixelSize() > 0 && fitted.pixelSize() < font.pixelSize());
        else
            QVERIFY(fitted.pointSizeF() <= font.pointSizeF());
    }

    void fontToFitLeavesTheFontWhenThereIsNoRoom()
    {
        QCOMPARE(forms::fontToFit(pointFont(10), QStringLiteral("12345678901.99"), 0), pointFont(10));
    }

    // The box shrinks a wide text, grows back to its own font when the text
    // or the box allows it, and never beyond it.
    void theTotalBoxShowsEveryTextWholeAndNeverGrowsPastItsFont()
    {
        forms::WholeTextBox box;
        box.setFont(pointFont(10));
        box.setFixedWidth(120);
        box.show();
        const QString wide = QStringLiteral("123456789012345678.99");
        box.setText(wide);
        QVERIFY(box.font().pointSizeF() < 10);
        QVERIFY(advance(box.font(), wide) <= box.textRoom());
        QCOMPARE(box.text(), wide);

        box.setText(QStringLiteral("1.00"));
        QCOMPARE(box.font(), pointFont(10));

        box.setText(wide);
        box.setFixedWidth(box.widthFor(wide));
        QCOMPARE(box.font(), pointFont(10));
        QVERIFY(advance(box.font(), wide) <= box.textRoom());
    }

    // Boxes follow their columns as the grid's columns are resized.
    void boxesStayUnderTheirColumns()
    {
        QWidget window;
        QStandardItemModel model(3, 4);
        auto* grid = new QTableView(&window);
        grid->setModel(&model);
        auto* strip = new QWidget(&window);
        auto* first = new QWidget(strip);
        auto* last = new QWidget(strip);
        new forms::UnderColumns(grid, strip, {{first, 1, 1}, {last, 2, 3}});
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(strip);
        window.resize(600, 300);
        window.show();
        for (const int width : {80, 150}) {
            grid->setColumnWidth(0, width);
            grid->setColumnWidth(2, width / 2);
            QCoreApplication::processEvents();
            auto columnAt = [&](int c) {
                return grid->viewport()->mapTo(&window, QPoint(grid->columnViewportPosition(c), 0)).x();
            };
            QCOMPARE(first->mapTo(&window, QPoint(0, 0)).x(), columnAt(1));
            QCOMPARE(first->width(), grid->columnWidth(1));
            QCOMPARE(last->mapTo(&window, QPoint(0, 0)).x(), columnAt(2));
            QCOMPARE(last->width(), grid->columnWidth(2) + grid->columnWidth(3));
        }
    }
};

QTEST_MAIN(FitTextTest)
#include "fit_text_test.moc"
