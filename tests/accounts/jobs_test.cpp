// The job register window on a delivered database: New and Save with their
// checks, duplicate numbers, editing, completed jobs and the voucher form's
// list, Cancel and closing, the grid, and printing the job card.
#include "accounts/jobs.h"

#include <memory>

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
#include "vouchers/voucher_store.h"

using accounts::Jobs;
using testing_support::child;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

struct Fixture {
    TestDatabase t;
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    Fixture()
    {
        main = testing_support::signedInWindow(t.path(), {.user = 1, .fyId = 1,
                                                          .business = QStringLiteral("Tamsel Traders"),
                                                          .userName = QStringLiteral("Ali")});
        main->accTimer()->stop();
        messages.clear();
    }
    std::unique_ptr<Jobs> window() { return std::make_unique<Jobs>(*main); }
    std::int64_t count() { return t.db().scalar("SELECT COUNT(*) FROM Jobs").toInt(); }
    // A stored job: number, description and status.
    std::int64_t job(int no, const char* desc, bool completed = false)
    {
        t.db().exec("INSERT INTO Jobs (JobNo, JobDate, JobDesc, ValueofWork, Status) VALUES (?, '2026-11-03', ?, 125000, ?)",
                    {no, desc, completed ? 1 : 0});
        return t.db().lastInsertId();
    }
};

void type(QWidget& w, const char* box, const QString& text)
{
    if (auto* line = w.findChild<QLineEdit*>(QLatin1String(box)))
        line->setText(text);
    else
        child<QPlainTextEdit>(w, box)->setPlainText(text);
}

QString cell(QWidget& w, int row, int column)
{
    auto* grid = child<QTableView>(w, "Grid");
    return grid->model()->index(row, column).data().toString();
}

void chooseRow(QWidget& w, int row)
{
    auto* grid = child<QTableView>(w, "Grid");
    grid->setCurrentIndex(grid->model()->index(row, 0));
}

// A new job with `number`, a description and amounts, saved.
void addJob(Jobs& w, const QString& number, const char* desc = "Fit-out", bool completed = false)
{
    w.AddBttn_Click();
    type(w, "DocNo", number);
    type(w, "Desc", QString::fromUtf8(desc));
    type(w, "EstCost", QStringLiteral("1250.5"));
    child<QCheckBox>(w, "CompleteOpt")->setChecked(completed);
    w.SaveBttn_Click();
}

bool browsing(QWidget& w)
{
    return child<QPushButton>(w, "AddBttn")->isEnabled() && child<QTableView>(w, "Grid")->isEnabled()
           && child<QPushButton>(w, "JobCard")->isEnabled();
}

report::PreviewWindow* preview(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

} // namespace

class JobsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
        shell::setToday(QDate(2026, 12, 10));
    }
    void cleanup() { app::clearWindows(); }

    void newJobStartsEmptyOnTodayAndLocksTheRegister()
    {
        Fixture f;
        f.job(3, "old");
        auto w = f.window();
        QCOMPARE(child<QLineEdit>(*w, "DocNo")->text(), QStringLiteral("3"));
        QVERIFY(browsing(*w));
        child<QCheckBox>(*w, "CompleteOpt")->setChecked(true);
        w->AddBttn_Click();
        QVERIFY(w->adding());
        QVERIFY(!child<QPushButton>(*w, "AddBttn")->isEnabled());
        QVERIFY(!child<QTableView>(*w, "Grid")->isEnabled());
        QVERIFY(!child<QPushButton>(*w, "JobCard")->isEnabled());
        for (const char* box : {"DocNo", "JobEmp", "PartyNameTxt", "PartyTel", "PartyContact", "EstCost", "JobValue"})
            QVERIFY2(child<QLineEdit>(*w, box)->text().isEmpty(), box);
        QVERIFY(child<QPlainTextEdit>(*w, "PartyAddress")->toPlainText().isEmpty());
        QCOMPARE(child<QDateEdit>(*w, "TrDate")->date(), QDate(2026, 12, 10));
        QVERIFY(!child<QCheckBox>(*w, "CompleteOpt")->isChecked());
    }

    void saveRefusesABadNumberOrAmountAndWritesNothing_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("message");
        const QString numeric = QStringLiteral("Job No. must be a numeric figure.");
        QTest::newRow("letters") << "abc" << "" << numeric;
        QTest::newRow("a point") << "1.5" << "" << numeric;
        QTest::newRow("empty") << "" << "" << numeric;
        QTest::newRow("text in the cost") << "12" << "ten thousand"
                                          << "Estimated Cost must be an amount, such as 1250.00.";
    }
    void saveRefusesABadNumberOrAmountAndWritesNothing()
    {
        QFETCH(QString, number);
        QFETCH(QString, cost);
        QFETCH(QString, message);
        Fixture f;
        auto w = f.window();
        w->AddBttn_Click();
        type(*w, "DocNo", number);
        type(*w, "EstCost", cost);
        w->SaveBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(f.messages.last().text, message);
        QVERIFY(f.messages.last().informationIcon);
        QCOMPARE(f.count(), 0);
        // The new job stays pending, so the number can be corrected.
        QVERIFY(w->adding());
        QCOMPARE(child<QLineEdit>(*w, "DocNo")->text(), number);
        type(*w, "DocNo", QStringLiteral("12"));
        type(*w, "EstCost", QString());
        w->SaveBttn_Click();
        QCOMPARE(f.count(), 1);
        QVERIFY(!w->adding());
    }

    void nineDigitsCannotBeTypedNorSaved()
    {
        Fixture f;
        auto w = f.window();
        w->AddBttn_Click();
        auto* box = child<QLineEdit>(*w, "DocNo");
        QTest::keyClicks(box, QStringLiteral("123456789"));
        QCOMPARE(box->text(), QStringLiteral("12345678"));
        w->SaveBttn_Click();
        QCOMPARE(f.t.db().scalar("SELECT JobNo FROM Jobs").toInt(), 12345678);
    }

    void repeatedNumbersAreAcceptedAndEachJobKeepsItsOwnRow()
    {
        Fixture f;
        auto w = f.window();
        addJob(*w, QStringLiteral("5"), "first");
        addJob(*w, QStringLiteral("5"), "second");
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(f.count(), 2);
        QCOMPARE(f.t.db().scalar("SELECT COUNT(DISTINCT JobID) FROM Jobs WHERE JobNo = 5").toInt(), 2);
        // The saved job is the one shown; editing it changes it alone.
        QCOMPARE(child<QPlainTextEdit>(*w, "Desc")->toPlainText(), QStringLiteral("second"));
        type(*w, "JobEmp", QStringLiteral("Bilal"));
        w->SaveBttn_Click();
        QCOMPARE(f.t.db().scalar("SELECT group_concat(JobDesc || ':' || JobIncharge, ',') FROM Jobs ORDER BY JobID")
                     .toText(),
                 "first:,second:Bilal");
    }

    void savesEveryBoxAndShowsTheAmountsFormatted()
    {
        Fixture f;
        auto w = f.window();
        w->AddBttn_Click();
        type(*w, "DocNo", QStringLiteral("007"));
        child<QDateEdit>(*w, "TrDate")->setDate(QDate(2026, 11, 3));
        const char* boxes[][2] = {{"Desc", "Fit-out\nsecond floor"}, {"OrderNo", "PO 44"}, {"DelDate", "20-12-2026"},
                                  {"PartyNameTxt", "Zafar & Sons"}, {"PartyAddress", "1 Mall Road"},
                                  {"PartyTel", "042-111"}, {"PartyContact", "Mr. Zafar"}, {"EstCost", "1250.5"},
                                  {"JobValue", "-20"}, {"JobEmp", "Bilal"}, {"CompDate", "2026-12-15"},
                                  {"DelRef", "DC 9"}, {"Remarks", "O'Brien"}};
        for (const auto& b : boxes)
            type(*w, b[0], QString::fromUtf8(b[1]));
        w->SaveBttn_Click();
        QCOMPARE(f.t.db()
                     .scalar("SELECT JobNo || '|' || JobDate || '|' || JobDesc || '|' || OrderRefDate || '|' ||"
                             " ExpDeliveryDate || '|' || CustomerName || '|' || Address || '|' || Telephone || '|' ||"
                             " Contact || '|' || EstimatedCost || '|' || ValueofWork || '|' || JobIncharge || '|' ||"
                             " CompletionDate || '|' || Status || '|' || DeliveryRefDate || '|' || Remarks FROM Jobs")
                     .toText(),
                 "7|2026-11-03|Fit-out\nsecond floor|PO 44|20-12-2026|Zafar & Sons|1 Mall Road|042-111|Mr. Zafar|"
                 "125050|-2000|Bilal|2026-12-15|0|DC 9|O'Brien");
        QCOMPARE(child<QLineEdit>(*w, "EstCost")->text(), QStringLiteral("1250.50"));
        QCOMPARE(child<QLineEdit>(*w, "JobValue")->text(), QStringLiteral("-20.00"));
        // The grid's eight columns.
        const QStringList row{cell(*w, 0, 0), cell(*w, 0, 1), cell(*w, 0, 2), cell(*w, 0, 3),
                              cell(*w, 0, 4), cell(*w, 0, 5), cell(*w, 0, 6), cell(*w, 0, 7)};
        QCOMPARE(row, (QStringList{"7", "03-11-2026", "Fit-out", "Zafar & Sons", "(20.00)", "15-12-2026", "",
                                   "O'Brien"}));
        auto* model = child<QTableView>(*w, "Grid")->model();
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("   Value of Job"));
        QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("     Status"));
    }

    void completedJobsLeaveTheVouchersListAndComeBackWhenUnticked()
    {
        Fixture f;
        auto w = f.window();
        addJob(*w, QStringLiteral("1"), "open");
        addJob(*w, QStringLiteral("2"), "done", true);
        QCOMPARE(cell(*w, 1, 6), QStringLiteral("Completed"));
        QCOMPARE(cell(*w, 0, 6), QString());
        const auto listed = [&] {
            QStringList texts;
            for (const auto& j : vouchers::openJobs(f.t.db()))
                texts << QString::fromStdString(j.text);
            return texts;
        };
        QCOMPARE(listed(), QStringList{"1 (open)"});
        chooseRow(*w, 1);
        child<QCheckBox>(*w, "CompleteOpt")->setChecked(false);
        w->SaveBttn_Click();
        QCOMPARE(listed(), (QStringList{"1 (open)", "2 (done)"}));
        QCOMPARE(cell(*w, 1, 6), QString());
    }

    void cancelOrClosingDropsWhatIsPending_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<bool>("newJob");
        QTest::newRow("Cancel a new job") << false << true;
        QTest::newRow("Cancel an edit") << false << false;
        QTest::newRow("close on a new job") << true << true;
        QTest::newRow("close on an edit") << true << false;
    }
    void cancelOrClosingDropsWhatIsPending()
    {
        QFETCH(bool, closing);
        QFETCH(bool, newJob);
        Fixture f;
        f.job(1, "first");
        f.job(2, "second");
        const auto before = f.t.db().scalar("SELECT group_concat(JobNo || JobDesc) FROM Jobs").toText();
        auto w = f.window();
        w->show();
        chooseRow(*w, 1);
        if (newJob)
            w->AddBttn_Click();
        type(*w, "DocNo", QStringLiteral("9"));
        type(*w, "Desc", QStringLiteral("changed"));
        if (closing)
            w->reject();
        else
            w->CancelBttn_Click();
        QCOMPARE(f.t.db().scalar("SELECT group_concat(JobNo || JobDesc) FROM Jobs").toText(), before);
        QVERIFY(f.messages.boxes().empty());
        if (!closing) {
            QVERIFY(browsing(*w));
            QCOMPARE(child<QPlainTextEdit>(*w, "Desc")->toPlainText(), QStringLiteral("first"));
        }
    }

    void movingToAnotherRowDropsUnsavedEdits()
    {
        Fixture f;
        f.job(1, "first");
        f.job(2, "second");
        auto w = f.window();
        type(*w, "DocNo", QStringLiteral("abc"));
        type(*w, "Desc", QStringLiteral("edited"));
        chooseRow(*w, 1);
        QCOMPARE(child<QPlainTextEdit>(*w, "Desc")->toPlainText(), QStringLiteral("second"));
        chooseRow(*w, 0);
        QCOMPARE(child<QLineEdit>(*w, "DocNo")->text(), QStringLiteral("1"));
        QCOMPARE(child<QPlainTextEdit>(*w, "Desc")->toPlainText(), QStringLiteral("first"));
        QCOMPARE(f.t.db().scalar("SELECT group_concat(JobDesc) FROM Jobs").toText(), "first,second");
        QVERIFY(f.messages.boxes().empty());
    }

    void saveAndJobCardDoNothingWithoutAJob()
    {
        Fixture f;
        auto w = f.window();
        QCOMPARE(w->currentJobId(), 0);
        // An empty register waits for New: nothing to type into, save or print.
        QVERIFY(!child<QLineEdit>(*w, "DocNo")->isEnabled());
        QVERIFY(!child<QPlainTextEdit>(*w, "Remarks")->isEnabled());
        QVERIFY(!child<QPushButton>(*w, "SaveBttn")->isEnabled());
        QVERIFY(!child<QPushButton>(*w, "JobCard")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "AddBttn")->isEnabled());
        type(*w, "DocNo", QStringLiteral("4"));
        w->SaveBttn_Click();
        w->JobCard_Click();
        QCOMPARE(f.count(), 0);
        QVERIFY(f.messages.boxes().empty());
        QVERIFY(!preview(*w));
        QVERIFY(!w->JobCardRst.isOpen());
        w->AddBttn_Click();
        QVERIFY(child<QLineEdit>(*w, "DocNo")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "SaveBttn")->isEnabled());
        w->CancelBttn_Click();   // still no job: back to waiting
        QVERIFY(!child<QLineEdit>(*w, "DocNo")->isEnabled());
    }

    void jobCardPrintsTheChosenJobAndClosesItsRowsAtTheEnd()
    {
        Fixture f;
        f.job(5, "same number");
        const auto second = f.job(5, "same number");
        f.t.db().exec("UPDATE Jobs SET CustomerName = 'Second Customer' WHERE JobID = ?", {second});
        auto w = f.window();
        chooseRow(*w, 1);
        QCOMPARE(w->currentJobId(), second);
        w->JobCard_Click();
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QVERIFY(w->JobCardRst.isOpen());
        const auto& pages = shown->document().pages;
        QCOMPARE(pages.size(), std::size_t{1});
        QStringList all;
        for (const QStringList& row : testing_support::rowsOf(pages[0]))
            all << row.join(QLatin1Char('|'));
        QVERIFY2(all.contains(QStringLiteral("Party Name|Second Customer")), qPrintable(all.join('\n')));
        QVERIFY(all.contains(QStringLiteral("Value of Job|1,250.00")));
        QVERIFY(all.contains(QStringLiteral("Date 10-12-2026|Prepared By: Ali")));
        QCOMPARE(all.first(), QStringLiteral("Tamsel Traders"));
        shown->close();
        QVERIFY(!w->JobCardRst.isOpen());
        // While a new job is pending the card is not printed.
        w->AddBttn_Click();
        w->JobCard_Click();
        QVERIFY(!preview(*w));
    }

    void everyTextBoxSelectsItsTextWhenItTakesTheFocus()
    {
        Fixture f;
        f.job(3, "old");
        auto w = f.window();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        for (const char* box : {"DocNo", "Desc", "OrderNo", "DelDate", "PartyNameTxt", "PartyAddress", "PartyTel",
                                "PartyContact", "EstCost", "JobValue", "JobEmp", "CompDate", "DelRef", "Remarks"}) {
            type(*w, box, QStringLiteral("12"));
            if (auto* line = w->findChild<QLineEdit*>(QLatin1String(box))) {
                line->deselect();
                line->setFocus(Qt::MouseFocusReason);   // a click: Tab would select by itself
                QTRY_COMPARE(line->selectedText(), QStringLiteral("12"));
            } else {
                auto* lines = child<QPlainTextEdit>(*w, box);
                lines->setFocus(Qt::MouseFocusReason);
                QTRY_COMPARE(lines->textCursor().selectedText(), QStringLiteral("12"));
            }
        }
        // Tab walks the boxes in the order of the register's columns.
        QStringList walked;
        child<QLineEdit>(*w, "DocNo")->setFocus();
        for (QWidget* at = child<QLineEdit>(*w, "DocNo"); walked.size() < 16; at = at->nextInFocusChain()) {
            if (at->focusPolicy() & Qt::TabFocus && at->isVisibleTo(w.get()) && !at->objectName().isEmpty()
                && !at->objectName().startsWith(QLatin1String("qt_")))
                walked << at->objectName();
        }
        QCOMPARE(walked, (QStringList{"DocNo", "TrDate", "Desc", "OrderNo", "DelDate", "PartyNameTxt", "PartyAddress",
                                      "PartyTel", "PartyContact", "EstCost", "JobValue", "JobEmp", "CompDate",
                                      "CompleteOpt", "DelRef", "Remarks"}));
        // The multi-line boxes keep at most 250 characters, however the text came.
        type(*w, "Remarks", QString(300, QLatin1Char('r')));
        QCOMPARE(child<QPlainTextEdit>(*w, "Remarks")->toPlainText().size(), 250);
        QCOMPARE(forms::lengthLimit(child<QLineEdit>(*w, "PartyTel")), 100);
        QCOMPARE(forms::lengthLimit(child<QLineEdit>(*w, "OrderNo")), 250);
    }

    void theMenuEntryOpensTheRegister()
    {
        Fixture f;
        app::registerWindows();
        QWidget* w = f.main->openWindow(QStringLiteral("Jobs"), true);
        QVERIFY(qobject_cast<Jobs*>(w));
        QCOMPARE(w->windowTitle(), QStringLiteral("Job Card"));
        QVERIFY(w->width() <= 1024 && w->height() <= 768);
        w->close();
    }
};

WINDOW_TEST_MAIN(JobsTest)
#include "jobs_test.moc"
