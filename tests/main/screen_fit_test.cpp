// Every window, and the preview of every printed report, fit a screen of 1024
// by 768 pixels: a window of the main window's area within that area, any
// other window on the screen, the commands and columns of each in sight.
// Covered are the windows of the menus, those other windows open (the chart
// search, the import of opening balances, the voucher searches, help), the
// dashboard, the sign-in, the back-up program, and the previews of the
// statements and the job register and ledger.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "accounts/chart_rules.h"
#include "accounts/job_rules.h"
#include "accounts/jobs.h"
#include "backup/back_up.h"
#include "accounts/modify_accounts.h"
#include "accounts/opening_balances.h"
#include "ledgers/acc_ledgers.h"
#include "ledgers/daily_journal.h"
#include "ledgers/job_ledgers.h"
#include "ledgers/print_ledgers.h"
#include "main/login_form.h"
#include "main/menu_table.h"
#include "main/navigation.h"
#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/name_list.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "statements/acc_balances.h"
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
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
        if (r.isEmpty())
            continue;
        for (QWidget* p = child->parentWidget(); p && p != w->window()->parentWidget(); p = p->parentWidget()) {
            // Inside the parent's frame, if it has one.
            if (!p->contentsRect().contains(r)) {
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

    // With `longestNames`, every main type, sub type and account of the chart
    // is named with as many characters as the chart takes, wide letters after
    // its own name, and the job described with as many as the register takes.
    explicit Book(bool longestNames = false)
    {
        t.db().exec("INSERT INTO Jobs (JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork, Status)"
                    " VALUES (5, 'Fit', 'Zafar & Sons', 'Bilal', 50000, 90000, 0)");
        t.db().exec("UPDATE Transactions SET JobID = ? WHERE FYID = 1", {t.db().lastInsertId()});
        if (longestNames) {
            for (const char* sql : {"UPDATE AccLevel1 SET Type = substr(Type || ' ' || printf('%.*c', ?1, 'W'), 1, ?1)",
                                    "UPDATE AccLevel2 SET L2AccName = substr(L2AccName || ' ' || printf('%.*c', ?1, 'W'), 1, ?1)",
                                    "UPDATE AccLevel3 SET AccName = substr(AccName || ' ' || printf('%.*c', ?1, 'W'), 1, ?1)"})
                t.db().exec(sql, {accounts::kChartNameLength});
            t.db().exec("UPDATE Jobs SET JobDesc = substr(JobDesc || ' ' || printf('%.*c', ?1, 'W'), 1, ?1)",
                        {accounts::kJobTextLength});
        }
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

// Puts the book's names into the lists of `w` as a user brings them up: the
// multi-ledger print's options shown once its refresh has ended, and each list
// of names at its first entry (a main type's sub types then fill their list).
void bringUpTheNames(QWidget* w)
{
    if (auto* print = dynamic_cast<ledgers::PrintLedgers*>(w))
        print->Timer1_Timer();
    for (forms::NameList* list : w->findChildren<forms::NameList*>())
        if (list->count() > 0)
            list->setCurrentIndex(0);
}

// Checks that `w` fits maximized, and again restored, at the size it had: its
// frame in the main window's area, or the window itself on the screen (where
// the test's platform has no screen of that size, maximized is made the size
// of the screen). A window of a fixed size cannot be maximized.
void checkFitsMaximizedAndRestored(QWidget* w)
{
    QVERIFY(w);
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : w;
    if (frame->minimumSize() == frame->maximumSize())
        return;
    const QSize designed = frame->size();
    if (sub) {
        sub->showMaximized();
        QCoreApplication::processEvents();
        QVERIFY2(sub->isMaximized(), qPrintable(w->objectName()));
    } else {
        w->resize(kScreen);
        QCoreApplication::processEvents();
        QCOMPARE(w->size(), kScreen);
    }
    checkFits(w);
    if (QTest::currentTestFailed())
        return;
    if (sub)
        sub->showNormal();
    else
        w->resize(designed);
    QCoreApplication::processEvents();
    checkFits(w);
    QCOMPARE(frame->size(), designed);
}

// Writes `cents` into the book on every account: as an opening debit (on two
// accounts a credit), and as a debit and a credit of a posted general journal
// dated today, so that every opening, period and closing figure and every
// total of the trial balance, the opening balances, the day book, the ledgers
// and that voucher's form is at least that large. Returns the voucher's number.
std::int32_t addLargeFigures(Book& b, std::int64_t cents)
{
    auto& db = b.t.db();
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, Cancel, Posted)"
            " VALUES (900, '2026-12-10', 'large', 41, ?, 0, 1)",
            {testing_support::kYear});
    const auto tranNo = db.lastInsertId();
    int account = 0;
    for (const std::int64_t code : testing_support::acc::all) {
        // Two accounts open with a credit, so the two-column credits are large too.
        const char* side = ++account <= 4 ? "Debit" : "Credit";
        db.exec(std::string("INSERT INTO SubTransactions (TranNo, AccCode, ") + side + ") VALUES (1, ?, ?)",
                {code, cents});
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, ?, ?)", {tranNo, code, cents});
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Credit) VALUES (?, ?, ?)", {tranNo, code, cents});
    }
    return static_cast<std::int32_t>(tranNo);
}

// Empty when `box` shows its text whole: the text, in the box's font, no wider
// than the room the style leaves for text inside the box's frame; else why not.
QString boxCut(QLineEdit* box)
{
    QStyleOptionFrame panel;
    panel.initFrom(box);
    panel.rect = box->rect();
    panel.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, box) : 0;
    panel.state |= QStyle::State_Sunken;
    // The line edit keeps 2 pixels each side of its text, and 1 for its cursor.
    const int room = box->style()->subElementRect(QStyle::SE_LineEditContents, &panel, box).width() - 2 * 2 - 1;
    const int needed = box->fontMetrics().horizontalAdvance(box->text());
    if (box->text().isEmpty() || needed > room)
        return QStringLiteral("%1 \"%2\" %3 in %4").arg(box->objectName(), box->text()).arg(needed).arg(room);
    return {};
}

// The cell of `column` of `view` with the longest text, and how the view
// paints it: its option (rect, font and widget) and the room for its text.
// No cell when the column shows nothing.
struct LongestCell {
    QTableView* view = nullptr;
    QModelIndex index;
    QString text;
    QStyleOptionViewItem option;
    int room = 0;
    // The font the cell's text is painted in: its delegate's choice.
    QFont paintedFont() const
    {
        auto* delegate = qobject_cast<forms::WholeTextDelegate*>(view->itemDelegateForIndex(index));
        return delegate ? delegate->fontFor(option, index) : option.font;
    }
};
LongestCell longestCell(QTableView* view, int column)
{
    LongestCell cell;
    cell.view = view;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        const QString text = view->model()->index(r, column).data().toString();
        if (text.size() > cell.text.size()) {
            cell.index = view->model()->index(r, column);
            cell.text = text;
        }
    }
    cell.option.initFrom(view->viewport());
    cell.option.rect = view->visualRect(cell.index);
    cell.option.widget = view;
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    cell.room = cell.option.rect.width() - 2 * margin;
    return cell;
}

// Empty when the widest text of `column` of `view` is painted whole: in the
// font its delegate chooses for the cell, it is no wider than the cell's room
// for text, so the style does not elide it; else why not.
QString columnCut(QTableView* view, int column)
{
    const QString name = view->objectName() + QLatin1Char('.') + QString::number(column);
    const LongestCell cell = longestCell(view, column);
    if (!cell.index.isValid())
        return name + QStringLiteral(" shows nothing");
    if (!qobject_cast<forms::WholeTextDelegate*>(view->itemDelegateForIndex(cell.index)))
        return name + QStringLiteral(" elides what does not fit");
    if (QFontMetrics(cell.paintedFont()).elidedText(cell.text, Qt::ElideRight, cell.room) != cell.text)
        return QStringLiteral("%1 \"%2\" in %3").arg(name, cell.text).arg(cell.room);
    return {};
}

// Empty when the longest text of `column` of `view` is longer than its cell
// and painted in the view's own font (elided, not set smaller); else why not.
QString textSetSmaller(QTableView* view, int column)
{
    const QString name = view->objectName() + QLatin1Char('.')
                         + view->model()->headerData(column, Qt::Horizontal).toString().trimmed();
    const LongestCell cell = longestCell(view, column);
    if (!cell.index.isValid())
        return name + QStringLiteral(" shows nothing");
    if (view->fontMetrics().horizontalAdvance(cell.text) <= cell.room)
        return QStringLiteral("%1 \"%2\" fits its cell of %3").arg(name, cell.text).arg(cell.room);
    const int painted = QFontInfo(cell.paintedFont()).pixelSize();
    const int own = QFontInfo(view->font()).pixelSize();
    if (painted != own)
        return QStringLiteral("%1 in %2 pixels, the grid's font in %3").arg(name).arg(painted).arg(own);
    return {};
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

// One row of test data per opener, named after its window, carrying its index;
// with `longestNames`, a second row per opener with the longest names.
void addRows(const std::vector<Opener>& list, bool longestNames = false)
{
    QTest::addColumn<int>("index");
    if (longestNames)
        QTest::addColumn<bool>("longestNames");
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!longestNames) {
            QTest::newRow(qPrintable(list[i].name)) << static_cast<int>(i);
            continue;
        }
        for (const bool longest : {false, true})
            QTest::addRow("%s%s", qPrintable(list[i].name), longest ? ", longest names" : "")
                << static_cast<int>(i) << longest;
    }
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

    // Each window also with the longest names the chart takes, and maximized
    // and restored.
    void everyMenuWindowFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("modal");
        QTest::addColumn<bool>("longestNames");
        for (const app::MenuEntry& e : app::menuEntries())
            if ((e.opens == app::Opens::Modal || e.opens == app::Opens::Modeless) && e.window
                && app::findWindow(QString::fromUtf8(e.window)))
                for (const bool longest : {false, true})
                    QTest::addRow("%s%s", e.window, longest ? ", longest names" : "")
                        << QString::fromUtf8(e.window) << (e.opens == app::Opens::Modal) << longest;
    }
    void everyMenuWindowFits()
    {
        QFETCH(QString, window);
        QFETCH(bool, modal);
        QFETCH(bool, longestNames);
        Book b(longestNames);
        QVERIFY(fits(b.main.size(), kScreen));
        QWidget* w = b.main.openWindow(window, modal);
        bringUpTheNames(w);
        checkFits(w);
        if (!QTest::currentTestFailed())
            checkFitsMaximizedAndRestored(w);
    }

    void everyWindowOpenedOtherwiseFits_data()
    {
        addRows(otherWindows(), true);
    }
    void everyWindowOpenedOtherwiseFits()
    {
        QFETCH(int, index);
        QFETCH(bool, longestNames);
        const Opener opener = otherWindows()[static_cast<std::size_t>(index)];
        Book b(longestNames);
        QWidget* w = opener.open(b);
        QVERIFY2(w, qPrintable(opener.name));
        QCOMPARE(w->objectName(), opener.name);
        bringUpTheNames(w);
        checkFits(w);
        if (!QTest::currentTestFailed())
            checkFitsMaximizedAndRestored(w);
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

    // The reasons the line grid gives beside its totals show whole in both
    // windows that host it, the longest included.
    void theLineGridsReasonsShowWhole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("why");
        for (const char* window : {"OpeningBalancesAcc", "GeneralJournal"}) {
            for (const char* why : {"An amount has no sign: a credit goes in the Credit column.",
                                    "An amount is digits with at most one point, as 1250.50.",
                                    "Type the amount without separators, as 1000.00.",
                                    "No account has the code 99999999999999."})
                QTest::addRow("%s: %s", window, why) << QString::fromLatin1(window) << QString::fromLatin1(why);
        }
    }
    void theLineGridsReasonsShowWhole()
    {
        QFETCH(QString, window);
        QFETCH(QString, why);
        Book b;
        QWidget* w = b.main.openWindow(window, false);
        QVERIFY(w);
        auto* reason = w->findChild<QLabel*>(QStringLiteral("RefusalLbl"));
        QVERIFY(reason);
        reason->setText(why);
        checkFits(w);
    }

    void theSixColumnTrialBalanceFits()
    {
        Book b;
        auto* w = b.modeless<statements::AccBalances>("AccBalances");
        QVERIFY(w);
        w->findChild<QRadioButton*>(QStringLiteral("TrialOpt_0"))->setChecked(true);
        checkFits(w);
    }

    // The boxes and columns are sized for the first figure; the second, on
    // six accounts, sums to totals of sixteen characters, which are set smaller.
    void totalBoxesAndAmountColumnsShowTheLargestFiguresWhole_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::newRow("12345678901.99 on every account") << Q_INT64_C(1234567890199);
        QTest::newRow("99999999999.99 on every account") << Q_INT64_C(9999999999999);
    }
    void totalBoxesAndAmountColumnsShowTheLargestFiguresWhole()
    {
        QFETCH(qint64, cents);
        Book b;
        const std::int32_t voucher = addLargeFigures(b, static_cast<std::int64_t>(cents));
        b.main.AccTimer_Timer();   // the account list a typed code is found in
        struct Place {
            const char* window;
            std::function<void(QWidget*)> show;   // what shows the figures, if the window needs it
            const char* grid;
            std::vector<int> columns;
            std::vector<const char*> boxes;
        };
        const auto layout = [](const char* option) {
            return [option](QWidget* w) { w->findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true); };
        };
        const Place places[] = {
            {"AccBalances", layout("TrialOpt_0"), "DetailGrid", {2, 4, 5, 6},
             {"OpenBalance", "TotalDr", "TotalCr", "CloseBalance"}},
            {"AccBalances", layout("TrialOpt_1"), "DetailGrid2", {2, 3}, {"TDr", "TCr"}},
            {"OpeningBalancesAcc", nullptr, "Grid", {3, 4}, {"DTot", "CTot"}},
            {"DailyJournal", [](QWidget* w) { dynamic_cast<ledgers::DailyJournal*>(w)->ViewBttn_Click(); }, "GJGrid",
             {5, 6}, {"TotalDr", "TotalCr"}},
            {"AccLedgers",
             [](QWidget* w) {
                 w->findChild<QLineEdit*>(QStringLiteral("ACodeTxt"))
                     ->setText(QString::number(testing_support::acc::Cash));
                 dynamic_cast<ledgers::AccLedgers*>(w)->ViewBttn_Click();
             },
             "LedgerGrid", {3, 4, 5}, {"TotalDr", "TotalCr", "Balance"}},
            {"GeneralJournal", nullptr, "Grid", {3, 4}, {"DTot", "CTot"}},
        };
        for (const Place& p : places) {
            // A voucher form opens on the voucher handed over.
            b.main.LedgerRef = voucher;
            b.main.LOpen = true;
            QWidget* w = b.main.openWindow(QString::fromLatin1(p.window), false);
            b.main.LOpen = false;
            QVERIFY2(w, p.window);
            if (p.show)
                p.show(w);
            auto* grid = w->findChild<QTableView*>(QString::fromLatin1(p.grid));
            QVERIFY2(grid, p.grid);
            QCoreApplication::processEvents();
            QVERIFY2(grid->isVisible(), p.grid);
            for (int column : p.columns) {
                const QString cut = columnCut(grid, column);
                QVERIFY2(cut.isEmpty(), qPrintable(QString::fromLatin1(p.window) + QLatin1Char(' ') + cut));
            }
            for (const char* name : p.boxes) {
                auto* box = w->findChild<QLineEdit*>(QString::fromLatin1(name));
                QVERIFY2(box && box->isVisible(), name);
                const QString cut = boxCut(box);
                QVERIFY2(cut.isEmpty(), qPrintable(QString::fromLatin1(p.window) + QLatin1Char(' ') + cut));
            }
            // Nor does any caption or line of words give way to the figures.
            checkFits(w);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(b.boxes.boxes().empty(), qPrintable(b.boxes.boxes().empty() ? QString() : b.boxes.last().text));
    }

    // Names and descriptions as long as the book takes keep the grid's font
    // in every grid that shows them, elided where the cell ends; the figures
    // beside them are set smaller, as the test above holds.
    void longTextsInGridsKeepTheGridsFont()
    {
        Book b;
        const QString longText = QStringLiteral("A description long enough to run well past its cell ").repeated(4);
        const QString longName = longText.left(250);
        auto& db = b.t.db();
        db.exec("UPDATE AccLevel1 SET Type = ?", {longName.toStdString()});
        db.exec("UPDATE AccLevel2 SET L2AccName = ?", {longName.toStdString()});
        db.exec("UPDATE AccLevel3 SET AccName = ?", {longName.toStdString()});
        db.exec("UPDATE SubTransactions SET AccName = ?, \"Desc\" = ?",
                {longName.toStdString(), longText.left(250).toStdString()});
        db.exec("UPDATE Transactions SET \"Desc\" = ?", {longText.left(250).toStdString()});
        db.exec("UPDATE Jobs SET JobDesc = ?, CustomerName = ?, Remarks = ?",
                {longName.toStdString(), longName.toStdString(), longName.toStdString()});
        const std::int32_t voucher = addLargeFigures(b, 100);
        db.exec("UPDATE Transactions SET \"Desc\" = ? WHERE TranNo = ?", {longText.left(250).toStdString(), voucher});
        db.exec("UPDATE SubTransactions SET AccName = ?, \"Desc\" = ? WHERE TranNo = ?",
                {longName.toStdString(), longText.left(250).toStdString(), voucher});
        b.main.AccTimer_Timer();
        struct Place {
            QString window;
            std::function<QWidget*(Book&)> open;
            const char* grid;
            std::vector<int> columns;   // the columns of texts
        };
        const auto window = [](const char* name, std::function<void(QWidget*)> show = nullptr) {
            return [name, show](Book& book) {
                QWidget* w = book.main.openWindow(QString::fromLatin1(name), false);
                if (w && show)
                    show(w);
                return w;
            };
        };
        // As the other windows are opened by those that open them.
        const auto other = [](const QString& name) {
            for (Opener& o : otherWindows())
                if (o.name == name)
                    return o.open;
            return std::function<QWidget*(Book&)>([](Book&) { return nullptr; });
        };
        const QString search = QString::fromLatin1(vouchers::searchTexts(41).window);
        const Place places[] = {
            {QStringLiteral("GeneralJournal"), window("GeneralJournal"), "Grid", {1, 2}},
            {search, other(search), "TranGrid", {2}},
            {QStringLiteral("DailyJournal"),
             window("DailyJournal", [](QWidget* w) { dynamic_cast<ledgers::DailyJournal*>(w)->ViewBttn_Click(); }),
             "GJGrid", {3, 4}},
            {QStringLiteral("AccLedgers"),
             window("AccLedgers",
                    [](QWidget* w) {
                        w->findChild<QLineEdit*>(QStringLiteral("ACodeTxt"))
                            ->setText(QString::number(testing_support::acc::Cash));
                        dynamic_cast<ledgers::AccLedgers*>(w)->ViewBttn_Click();
                    }),
             "LedgerGrid", {2}},
            {QStringLiteral("JobLedgers"),
             window("JobLedgers",
                    [](QWidget* w) {
                        w->findChild<QComboBox*>(QStringLiteral("JobList"))->setCurrentIndex(0);
                        dynamic_cast<ledgers::JobLedgers*>(w)->ViewBttn_Click();
                    }),
             "LedgerGrid", {3, 4}},
            {QStringLiteral("Jobs"), [](Book& book) { return book.main.openWindow(QStringLiteral("Jobs"), true); },
             "Grid", {2, 3, 7}},
            {QStringLiteral("AccBalances"),
             window("AccBalances",
                    [](QWidget* w) { w->findChild<QRadioButton*>(QStringLiteral("TrialOpt_0"))->setChecked(true); }),
             "DetailGrid", {1}},
            {QStringLiteral("AccBalances two-column"),
             window("AccBalances",
                    [](QWidget* w) { w->findChild<QRadioButton*>(QStringLiteral("TrialOpt_1"))->setChecked(true); }),
             "DetailGrid2", {1}},
            {QStringLiteral("OpeningBalancesAcc"), window("OpeningBalancesAcc"), "Grid", {1}},
            {QStringLiteral("ChartofAccounts"), other(QStringLiteral("ChartofAccounts")), "InvGrid", {1, 3, 5}},
        };
        QStringList shrunk;
        for (const Place& p : places) {
            // The voucher form opens on the voucher handed over.
            b.main.LedgerRef = voucher;
            b.main.LOpen = true;
            QWidget* w = p.open(b);
            b.main.LOpen = false;
            QVERIFY2(w, qPrintable(p.window));
            auto* grid = w->findChild<QTableView*>(QString::fromLatin1(p.grid));
            QVERIFY2(grid, p.grid);
            QCoreApplication::processEvents();
            QVERIFY2(grid->isVisible(), p.grid);
            for (int column : p.columns)
                if (const QString why = textSetSmaller(grid, column); !why.isEmpty())
                    shrunk << p.window + QLatin1Char(' ') + why;
        }
        QVERIFY2(shrunk.isEmpty(), qPrintable(shrunk.join(QStringLiteral("; "))));
        QVERIFY2(b.boxes.boxes().empty(), qPrintable(b.boxes.boxes().empty() ? QString() : b.boxes.last().text));
    }

    // A box loaded with a text longer than the box shows the text's start,
    // not its end, as the window opens or shows another record.
    void boxesLoadedWithALongTextShowItsStart()
    {
        Book b;
        const QString longText = QStringLiteral("A text that starts here and runs on well past its box ").repeated(4);
        const std::string stored = longText.left(200).toStdString();
        auto& db = b.t.db();
        db.exec("UPDATE AccLevel1 SET Type = ?", {stored});
        db.exec("UPDATE AccLevel2 SET L2AccName = ?", {stored});
        db.exec("UPDATE AccLevel3 SET AccName = ?", {stored});
        db.exec("UPDATE Transactions SET \"Desc\" = ?", {stored});
        db.exec("UPDATE Jobs SET JobDesc = ?, CustomerName = ?", {stored, stored});
        db.exec("UPDATE BusinessInfo SET Name = ?, CurrencyName = ?", {stored, longText.left(100).toStdString()});
        b.main.BizName = longText.left(200);
        b.main.AccTimer_Timer();
        b.main.LedgerRef = static_cast<std::int32_t>(
            db.scalar("SELECT MIN(TranNo) FROM Transactions WHERE TranType = 41 AND FYID = 1").toInt());
        struct Place {
            const char* window;
            std::function<QWidget*(Book&)> open;
            std::vector<const char*> boxes;
        };
        const Place places[] = {
            {"Navigation",
             [](Book& book) -> QWidget* {
                 auto* nav = dynamic_cast<app::Navigation*>(book.main.host().find(QStringLiteral("Navigation")));
                 if (nav)
                     nav->Form_Load();
                 return nav;
             },
             {"CoTxt"}},
            {"GeneralJournal",
             [](Book& book) {
                 book.main.LOpen = true;
                 QWidget* w = book.main.openWindow(QStringLiteral("GeneralJournal"), false);
                 book.main.LOpen = false;
                 return w;
             },
             {"Desc", "JobList"}},
            {"ModifyAccounts", [](Book& book) { return book.main.openWindow(QStringLiteral("ModifyAccounts"), true); },
             {"CatCodeTxt", "SubCatCodeTxt", "AccCodeTxt"}},
            {"AccLedgers",
             [](Book& book) {
                 QWidget* w = book.main.openWindow(QStringLiteral("AccLedgers"), false);
                 if (w)
                     w->findChild<QLineEdit*>(QStringLiteral("ACodeTxt"))
                         ->setText(QString::number(testing_support::acc::Cash));
                 return w;
             },
             {"Acc"}},
            {"Jobs", [](Book& book) { return book.main.openWindow(QStringLiteral("Jobs"), true); }, {"PartyNameTxt"}},
            {"CompanyInfo", [](Book& book) { return book.main.openWindow(QStringLiteral("CompanyInfo"), true); },
             {"Info0"}},
            {"CurrencySettings",
             [](Book& book) { return book.main.openWindow(QStringLiteral("CurrencySettings"), true); },
             {"CName"}},
        };
        QStringList atTheEnd;
        for (const Place& p : places) {
            QWidget* w = p.open(b);
            QVERIFY2(w, p.window);
            QCoreApplication::processEvents();
            for (const char* name : p.boxes) {
                auto* box = w->findChild<QLineEdit*>(QString::fromLatin1(name));
                if (auto* combo = w->findChild<QComboBox*>(QString::fromLatin1(name)))
                    box = combo->lineEdit();
                QVERIFY2(box && box->isVisible(), name);
                QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) > box->width(),
                         qPrintable(QStringLiteral("%1.%2 \"%3\" fits its box").arg(p.window, name, box->text())));
                if (box->cursorPosition() != 0)
                    atTheEnd << QStringLiteral("%1.%2 at %3").arg(p.window, name).arg(box->cursorPosition());
            }
        }
        QVERIFY2(atTheEnd.isEmpty(), qPrintable(atTheEnd.join(QStringLiteral(", "))));
        QVERIFY2(b.boxes.boxes().empty(), qPrintable(b.boxes.boxes().empty() ? QString() : b.boxes.last().text));
    }

    // Each total of the six-column trial balance stands under the columns of
    // the figures it adds up: a balance under its balance and status.
    void theTrialBalanceTotalsStandUnderTheirColumns()
    {
        Book b;
        auto* w = b.modeless<statements::AccBalances>("AccBalances");
        QVERIFY(w);
        struct Under {
            const char* grid;
            const char* box;
            int first;
            int last;
        };
        const Under cases[] = {
            {"DetailGrid", "OpenBalance", 2, 3}, {"DetailGrid", "TotalDr", 4, 4},
            {"DetailGrid", "TotalCr", 5, 5},     {"DetailGrid", "CloseBalance", 6, 7},
            {"DetailGrid2", "TDr", 2, 2},        {"DetailGrid2", "TCr", 3, 3},
        };
        for (const bool six : {true, false}) {
            w->findChild<QRadioButton*>(six ? QStringLiteral("TrialOpt_0") : QStringLiteral("TrialOpt_1"))
                ->setChecked(true);
            QCoreApplication::processEvents();
            for (const Under& u : cases) {
                auto* grid = w->findChild<QTableView*>(QString::fromLatin1(u.grid));
                if (!grid->isVisible())
                    continue;
                auto* box = w->findChild<QLineEdit*>(QString::fromLatin1(u.box));
                QVERIFY2(box, u.box);
                const int left = grid->viewport()->mapTo(w, QPoint(grid->columnViewportPosition(u.first), 0)).x();
                const int right = grid->viewport()->mapTo(w, QPoint(grid->columnViewportPosition(u.last)
                                                                         + grid->columnWidth(u.last), 0)).x();
                const QRect at(box->mapTo(w, QPoint(0, 0)), box->size());
                // The frame around the totals may take a pixel or two off
                // the last column's box.
                QVERIFY2(at.left() == left && at.right() + 1 <= right && at.right() + 1 >= right - 2,
                         qPrintable(QStringLiteral("%1 at %2..%3, its columns %4..%5")
                                        .arg(QLatin1String(u.box)).arg(at.left()).arg(at.right() + 1)
                                        .arg(left).arg(right)));
            }
        }
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

WINDOW_TEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
