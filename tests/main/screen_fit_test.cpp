// Every window, and the preview of every printed report, fit a screen of 1024
// by 768 pixels: a window of the main window's area within that area, any
// other window on the screen, the commands and columns of each in sight.
// Covered are the windows of the menus, those other windows open (the chart
// search, the import of opening balances, the voucher searches, help), the
// dashboard, the sign-in, the back-up program, and the previews of the
// statements and the job register and ledger.
#include <functional>
#include <memory>

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "accounts/jobs.h"
#include "backup/back_up.h"
#include "accounts/modify_accounts.h"
#include "accounts/opening_balances.h"
#include "ledgers/job_ledgers.h"
#include "main/login_form.h"
#include "main/menu_table.h"
#include "main/navigation.h"
#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "statements/acc_balances.h"
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "vouchers/voucher_search_rules.h"

using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

// The screen less a title bar of 30 pixels.
const QSize kScreen{1024, 768 - 30};

bool fits(QSize size, QSize room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}

QString text(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// The columns of each table view of `w` that are shown but end past the
// view's visible width.
QStringList columnsCutOff(QWidget* w)
{
    QStringList cut;
    for (QTableView* view : w->findChildren<QTableView*>()) {
        if (!view->isVisible() || !view->model())
            continue;
        const int visible = view->viewport()->width();
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            if (view->isColumnHidden(c))
                continue;
            const int right = view->horizontalHeader()->sectionPosition(c) + view->columnWidth(c);
            if (right > visible)
                cut << view->objectName() + QLatin1Char('.')
                           + view->model()->headerData(c, Qt::Horizontal).toString();
        }
    }
    return cut;
}

// The name a control is reported by: its objectName, else its text.
QString nameOf(const QWidget* w, const QString& text)
{
    return w->objectName().isEmpty() ? QLatin1Char('"') + text + QLatin1Char('"') : w->objectName();
}

// Whether `w` lies inside a scrolled view (a grid's cell, a preview's page):
// there it may run past its parent, which is scrolled to it.
bool scrolled(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p) || p->isWindow())
            return qobject_cast<const QAbstractScrollArea*>(p) != nullptr;
    return false;
}

// The widgets of `w`, in sight, that run past the edge of a parent, which
// cuts them off: all of them except those inside scrolled views.
QStringList controlsPastAnEdge(QWidget* w)
{
    QStringList cut;
    for (QWidget* child : w->findChildren<QWidget*>()) {
        if (!child->isVisible() || scrolled(child) || child->isWindow())
            continue;
        QRect r = child->geometry();
        for (QWidget* p = child->parentWidget(); p && p != w->window()->parentWidget(); p = p->parentWidget()) {
            if (!p->rect().contains(r)) {
                cut << nameOf(child, QString::fromLatin1(child->metaObject()->className()));
                break;
            }
            if (p->isWindow())
                break;
            r.translate(p->pos());
        }
    }
    return cut;
}

// The labels, buttons and grid headings of `w`, in sight, whose text is wider
// than the room they are given, so that part of it is cut or elided.
QStringList captionsCut(QWidget* w)
{
    QStringList cut;
    for (QLabel* label : w->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        const QRect room = label->contentsRect();
        const bool fits = label->wordWrap() ? label->heightForWidth(room.width()) <= room.height()
                                            : label->sizeHint().width() <= label->width();
        if (!fits)
            cut << nameOf(label, label->text());
    }
    for (QPushButton* button : w->findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        // The text and the margins the style puts around it (as a button's
        // size hint counts them), without the least width the style gives a
        // button of a short text.
        const QStyle* style = button->style();
        const int needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width()
                           + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                           + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)
                           + (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
        if (needed > button->width())
            cut << nameOf(button, button->text()) + QStringLiteral(" %1<%2").arg(button->width()).arg(needed);
    }
    for (QAbstractButton* option : w->findChildren<QAbstractButton*>()) {
        if (!option->isVisible() || !(qobject_cast<QRadioButton*>(option) || qobject_cast<QCheckBox*>(option)))
            continue;
        if (option->sizeHint().width() > option->width())
            cut << nameOf(option, option->text());
    }
    for (QTableView* view : w->findChildren<QTableView*>()) {
        QHeaderView* header = view->horizontalHeader();
        if (!view->isVisible() || !view->model() || !header->isVisible())
            continue;
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            if (view->isColumnHidden(c))
                continue;
            if (header->sectionSize(c) < header->sectionSizeHint(c))
                cut << view->objectName() + QLatin1Char('.')
                           + view->model()->headerData(c, Qt::Horizontal).toString().trimmed()
                           + QStringLiteral(" %1<%2").arg(header->sectionSize(c)).arg(header->sectionSizeHint(c));
        }
    }
    return cut;
}

// The hand-made book with a job on its vouchers of the year, and a main window
// on it signed in to that year as the administrator, shown.
struct Book {
    MessageRecorder boxes;
    TestDatabase t;
    HandBook book{t.db()};
    app::Parent main{t.path()};

    Book()
    {
        t.db().exec("INSERT INTO Jobs (JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork, Status)"
                    " VALUES (5, 'Fit', 'Zafar & Sons', 'Bilal', 50000, 90000, 0)");
        t.db().exec("UPDATE Transactions SET JobID = ? WHERE FYID = 1", {t.db().lastInsertId()});
        main.setAttribute(Qt::WA_DeleteOnClose, false);
        main.PelkUser = 1;
        main.FYID = testing_support::kYear;
        main.FYStart = QDate(2026, 7, 1);
        main.FYEnd = QDate(2027, 6, 30);
        main.MDIForm_Load();
        main.show();
    }
    ~Book() { main.host().closeAll(); }

    template <class W>
    W* modeless(const char* name)
    {
        return dynamic_cast<W*>(main.openWindow(QString::fromLatin1(name), false));
    }
    template <class W>
    W* modal(const char* name)
    {
        return dynamic_cast<W*>(main.openWindow(QString::fromLatin1(name), true));
    }
};

// Checks that `w` fits: in the main window's area when it is one of its
// windows, else on the screen; no column of its tables cut off, no control
// running past the edge of its parent, no caption cut. Reports
// through QtTest.
void checkFits(QWidget* w)
{
    QVERIFY(w);
    QCoreApplication::processEvents();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        const QSize room = sub->mdiArea()->viewport()->size();
        QVERIFY2(fits(sub->size(), room), qPrintable(text(sub->size()) + " in " + text(room)));
        QVERIFY2(fits(sub->minimumSizeHint(), room), qPrintable(text(sub->minimumSizeHint())));
    } else {
        QVERIFY2(w->isWindow(), qPrintable(w->objectName()));
        QVERIFY2(fits(w->size(), kScreen), qPrintable(text(w->size())));
        QVERIFY2(fits(w->minimumSizeHint(), kScreen), qPrintable(text(w->minimumSizeHint())));
    }
    const QStringList cut = columnsCutOff(w);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    const QStringList pastAnEdge = controlsPastAnEdge(w);
    QVERIFY2(pastAnEdge.isEmpty(), qPrintable(QStringLiteral("past an edge: ") + pastAnEdge.join(QStringLiteral(", "))));
    const QStringList captions = captionsCut(w);
    QVERIFY2(captions.isEmpty(), qPrintable(QStringLiteral("cut: ") + captions.join(QStringLiteral(", "))));
}

// A window that another opens, and how it is opened on the book.
struct Opener {
    QString name;
    std::function<QWidget*(Book&)> open;
};

std::vector<Opener> otherWindows()
{
    std::vector<Opener> list{
        {QStringLiteral("Navigation"), [](Book& b) { return b.main.host().find(QStringLiteral("Navigation")); }},
        {QStringLiteral("HelpForm"),
         [](Book& b) -> QWidget* {
             auto* nav = dynamic_cast<app::Navigation*>(b.main.host().find(QStringLiteral("Navigation")));
             if (!nav)
                 return nullptr;
             nav->Trouble_Click(0);
             return b.main.findChild<QWidget*>(QStringLiteral("HelpForm"));
         }},
        {QStringLiteral("ChartofAccounts"),
         [](Book& b) -> QWidget* {
             auto* chart = b.modal<accounts::ModifyAccounts>("ModifyAccounts");
             if (!chart)
                 return nullptr;
             chart->FindBttn_Click();
             return chart->findChild<QWidget*>(QStringLiteral("ChartofAccounts"));
         }},
        {QStringLiteral("OpeningFYAcc"),
         [](Book& b) -> QWidget* {
             auto* balances = b.modeless<accounts::OpeningBalancesAcc>("OpeningBalancesAcc");
             if (!balances)
                 return nullptr;
             balances->ImportBal_Click();
             return balances->findChild<QWidget*>(QStringLiteral("OpeningFYAcc"));
         }},
    };
    // The voucher searches, as their forms' Find opens them.
    for (const app::VoucherKind& kind : app::voucherKinds()) {
        const QString name = QString::fromLatin1(vouchers::searchTexts(kind.tranType).window);
        list.push_back({name, [name](Book& b) { return b.main.openWindow(name, true); }});
    }
    return list;
}

// A printed report, and how its window shows it on the book.
std::vector<Opener> previews()
{
    return {
        {QStringLiteral("AccBalRpt"),
         [](Book& b) -> QWidget* {
             auto* w = b.modeless<statements::AccBalances>("AccBalances");
             w->PrintBttn_Click();
             return w;
         }},
        {QStringLiteral("IncStatement"),
         [](Book& b) -> QWidget* {
             auto* w = b.modal<statements::IncomeStatement>("IncomeStatement");
             w->PreviewBttn_Click();
             return w;
         }},
        {QStringLiteral("BalSheet"),
         [](Book& b) -> QWidget* {
             auto* w = b.modal<statements::BalanceSheet>("BalanceSheet");
             w->PreviewBttn_Click();
             w->Timer2_Timer();
             return w;
         }},
        {QStringLiteral("JobLedger"),
         [](Book& b) -> QWidget* {
             auto* w = b.modeless<ledgers::JobLedgers>("JobLedgers");
             w->findChild<QComboBox*>(QStringLiteral("JobList"))->setCurrentIndex(0);
             w->PrintBttn_Click();
             return w;
         }},
        {QStringLiteral("JobCardRpt"),
         [](Book& b) -> QWidget* {
             auto* w = b.modal<accounts::Jobs>("Jobs");
             w->JobCard_Click();
             return w;
         }},
    };
}

// One row of test data per opener, named after its window, carrying its index.
void addRows(const std::vector<Opener>& list)
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < list.size(); ++i)
        QTest::newRow(qPrintable(list[i].name)) << static_cast<int>(i);
}

} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(1024 * 15);
        shell::setToday(QDate(2026, 12, 10));
        forms::WindowHost::setModalNonBlocking(true);
        app::registerWindows();
    }

    void everyMenuWindowFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("modal");
        for (const app::MenuEntry& e : app::menuEntries())
            if ((e.opens == app::Opens::Modal || e.opens == app::Opens::Modeless) && e.window
                && app::findWindow(QString::fromUtf8(e.window)))
                QTest::newRow(e.window) << QString::fromUtf8(e.window) << (e.opens == app::Opens::Modal);
    }
    void everyMenuWindowFits()
    {
        QFETCH(QString, window);
        QFETCH(bool, modal);
        Book b;
        QVERIFY(fits(b.main.size(), kScreen));
        checkFits(b.main.openWindow(window, modal));
    }

    void everyWindowOpenedOtherwiseFits_data()
    {
        addRows(otherWindows());
    }
    void everyWindowOpenedOtherwiseFits()
    {
        QFETCH(int, index);
        const Opener opener = otherWindows()[static_cast<std::size_t>(index)];
        Book b;
        QWidget* w = opener.open(b);
        QVERIFY2(w, qPrintable(opener.name));
        QCOMPARE(w->objectName(), opener.name);
        checkFits(w);
    }

    void theSignInAndTheBackUpProgramFit()
    {
        MessageRecorder boxes;
        TestDatabase t;
        app::LoginForm login(t.path());
        login.show();
        checkFits(&login);
        QTemporaryDir folder;
        backup::BackUp stowkeep(folder.path());
        stowkeep.show();
        checkFits(&stowkeep);
    }

    void everyReportsPreviewFitsWithItsPageWidthInSight_data()
    {
        addRows(previews());
    }
    void everyReportsPreviewFitsWithItsPageWidthInSight()
    {
        QFETCH(int, index);
        const Opener opener = previews()[static_cast<std::size_t>(index)];
        Book b;
        QWidget* owner = opener.open(b);
        QVERIFY(owner);
        QVERIFY2(b.boxes.boxes().empty(), qPrintable(b.boxes.boxes().empty() ? QString() : b.boxes.last().text));
        auto* preview = owner->findChild<report::PreviewWindow*>();
        QVERIFY2(preview, qPrintable(opener.name));
        checkFits(preview);
        for (QPushButton* button : preview->findChildren<QPushButton*>())
            QVERIFY2(preview->rect().contains(button->geometry()), qPrintable(button->objectName()));
        // The page as it opens is no wider than the view: no column of it
        // waits behind a scroll bar.
        auto* scroll = preview->findChild<QScrollArea*>(QStringLiteral("PageScroll"));
        QVERIFY(scroll && scroll->widget());
        QVERIFY2(scroll->widget()->width() <= scroll->viewport()->width(),
                 qPrintable(QStringLiteral("page %1 in a view of %2")
                                .arg(scroll->widget()->width())
                                .arg(scroll->viewport()->width())));
        preview->close();
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
