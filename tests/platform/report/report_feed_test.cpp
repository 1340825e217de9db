// Tests for the report feed: captions filled by the initialisation, the data
// bound at show time, the end step as tabled, and the standard page footer.
#include "platform/report/report_feed.h"

#include <stdexcept>

#include <QApplication>
#include <QTest>

#include "platform/data/hierarchy.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/support/window_test_main.h"

using platform::Database;
using platform::Hierarchy;
using platform::Recordset;
using report::AtEnd;
using report::Document;
using report::ReportFeed;
using report::SectionKind;
using report::TextRun;
using report::UserLine;

Q_DECLARE_METATYPE(UserLine)
Q_DECLARE_METATYPE(AtEnd)

namespace {

Database typesDb()
{
    Database db = Database::createEmpty(":memory:");
    db.execScript(R"(
        CREATE TABLE L1 (TypeID INTEGER, Type TEXT);
        CREATE TABLE L3 (AccCode INTEGER, Level1ID INTEGER, AccName TEXT);
        INSERT INTO L1 VALUES (1, 'Assets'), (2, 'Income');
        INSERT INTO L3 VALUES (101, 1, 'Cash'), (201, 2, 'Sales');
    )");
    return db;
}

Hierarchy types(Database& db)
{
    return Hierarchy::open(db, {{"level1", "SELECT TypeID, Type FROM L1 ORDER BY TypeID", {}, "", ""},
                                {"level3", "SELECT AccCode, Level1ID, AccName FROM L3", {}, "TypeID", "Level1ID"}});
}

// A small chart print with the standard page footer.
report::Report chartLayout()
{
    report::Report r("Chart of Accounts");
    r.width = 9360;
    r.margins = {1200, 1000, 300, 300};
    r.addSection(SectionKind::ReportHeader, "Section4", 850).label("CoName", {0, 0, 9360, 250});
    r.addSection(SectionKind::GroupHeader, "Section6", 300).text("Text1", {1440, 0, 4000, 285}, "Type");
    r.addSection(SectionKind::Detail, "Section1", 300)
        .text("Text2", {1440, 0, 4000, 285}, "AccName").setMember("level3");
    r.addSection(SectionKind::GroupFooter, "Section7", 0);
    report::addStandardPageFooter(r, "Section3");
    return r;
}

QStringList textsOf(const Document& doc)
{
    QStringList out;
    for (const auto& page : doc.pages)
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<TextRun>(&item))
                out << t->text;
    return out;
}

const TextRun* runOf(const Document& doc, const QString& text)
{
    for (const auto& item : doc.pages.front().items)
        if (const auto* t = std::get_if<TextRun>(&item); t && t->text == text)
            return t;
    return nullptr;
}

report::PreviewWindow* openPreview()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<report::PreviewWindow*>(w); p && p->isVisible())
            return p;
    return nullptr;
}

} // namespace

class ReportFeedTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        forms::WindowHost::setModalNonBlocking(true);
        shell::setToday(QDate(2026, 3, 5));
    }

    void cleanup()
    {
        while (auto* p = openPreview())
            p->close();
    }

    void fillsTheCompanyAndTheUserLine_data()
    {
        QTest::addColumn<UserLine>("line");
        QTest::addColumn<QString>("shown");
        QTest::newRow("printed by") << UserLine::PrintedBy << "Printed By: Ali";
        QTest::newRow("prepared by") << UserLine::PreparedBy << "Prepared By: Ali";
        QTest::newRow("name alone") << UserLine::NameOnly << "Ali";
        QTest::newRow("none") << UserLine::None << "";
    }

    void fillsTheCompanyAndTheUserLine()
    {
        QFETCH(UserLine, line);
        QFETCH(QString, shown);
        Database db = typesDb();
        Hierarchy data = types(db);
        ReportFeed feed(chartLayout(), data, AtEnd::KeepData);
        feed.setCompany("Tamsel Traders");
        feed.setUserLine(line, "Ali");
        const Document doc = feed.layOut(QDate(2026, 3, 5));
        const QStringList texts = textsOf(doc);
        QCOMPARE(texts.mid(0, 5), (QStringList{"Tamsel Traders", "Assets", "Cash", "Income", "Sales"}));
        QVERIFY(texts.contains("Date 05-03-2026"));
        QVERIFY(texts.contains("Page  1  of  1"));
        if (shown.isEmpty()) {
            QCOMPARE(texts.size(), 7);
        } else {
            const TextRun* user = runOf(doc, shown);
            QVERIFY(user);
            QCOMPARE(user->align, report::Align::Right);
            QCOMPARE(user->rect.right(), 1200 + 9360);
        }
    }

    void setsCaptionsBySectionAndControlWithoutRegardToCase()
    {
        Database db = typesDb();
        Hierarchy data = types(db);
        ReportFeed feed(chartLayout(), data, AtEnd::KeepData);
        feed.setCaption(u"section4", u"CONAME", "As On Jul 01, 2026");
        QVERIFY(textsOf(feed.layOut(QDate(2026, 3, 5))).contains("As On Jul 01, 2026"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, feed.setCaption(u"section4", u"NoSuch", "x"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, feed.setCaption(u"Section99", u"CoName", "x"));
    }

    void endsAsTheTableSays_data()
    {
        QTest::addColumn<AtEnd>("atEnd");
        QTest::addColumn<bool>("openAfter");
        QTest::newRow("closes the data") << AtEnd::CloseData << false;
        QTest::newRow("no termination handler") << AtEnd::KeepData << true;
    }

    void endsAsTheTableSays()
    {
        QFETCH(AtEnd, atEnd);
        QFETCH(bool, openAfter);
        Database db = typesDb();
        Hierarchy data = types(db);
        {
            ReportFeed feed(chartLayout(), data, atEnd);
            feed.setCompany("Tamsel Traders");
            QCOMPARE(feed.show(nullptr), -1);
        }
        report::PreviewWindow* preview = openPreview();
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QString("Chart of Accounts"));
        QVERIFY(data.isOpen());   // the report ends when its window closes
        preview->close();
        QCOMPARE(data.isOpen(), openAfter);
    }

    void closesAFlatRecordsetToo()
    {
        Database db = typesDb();
        Recordset rs = Recordset::open(db, "SELECT AccCode, AccName FROM L3 ORDER BY AccCode");
        report::Report r("Accounts");
        r.addSection(SectionKind::Detail, "Section1", 300).text("Text1", {0, 0, 3000, 285}, "AccName");
        {
            ReportFeed feed(std::move(r), rs, AtEnd::CloseData);
            feed.show(nullptr);
        }
        auto* preview = openPreview();
        QVERIFY(preview);
        QCOMPARE(textsOf(preview->document()), (QStringList{"Cash", "Sales"}));
        preview->close();
        QVERIFY(!rs.isOpen());
    }

    void takesTheDataAsItIsWhenShown()
    {
        Database db = typesDb();
        Hierarchy data;   // the window opens its member just before it shows the report
        ReportFeed feed(chartLayout(), data, AtEnd::CloseData);
        data = types(db);
        feed.show(nullptr);
        auto* preview = openPreview();
        QVERIFY(preview);
        QVERIFY(textsOf(preview->document()).contains("Sales"));
        preview->close();
        QVERIFY(!data.isOpen());
    }

    void endsAReportWhoseLayoutFails()
    {
        Database db = typesDb();
        Hierarchy data = types(db);
        report::Report broken = chartLayout();
        broken.section(u"Section1").control(u"Text2").field = "NoSuchField";
        ReportFeed feed(std::move(broken), data, AtEnd::CloseData);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, feed.show(nullptr));
        QVERIFY(!openPreview());
        QVERIFY(!data.isOpen());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, feed.show(nullptr));
    }

    void endsAReportThatIsNeverShown()
    {
        Database db = typesDb();
        Hierarchy data = types(db);
        { ReportFeed feed(chartLayout(), data, AtEnd::CloseData); }
        QVERIFY(!data.isOpen());
    }
};

WINDOW_TEST_MAIN(ReportFeedTest)
#include "report_feed_test.moc"
