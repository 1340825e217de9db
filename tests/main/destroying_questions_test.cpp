// Every question of the main program whose Yes deletes or replaces data has No
// as its default button, and answering No writes nothing.
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"
#include "platform/forms/window_host.h"
#include "tests/ledgers/signed_in_book.h"
#include "tests/main/signed_in.h"
#include "tests/support/window_test_main.h"
#include "vouchers/voucher_form.h"

namespace {

constexpr int kSale = 31;    // the hand book has a posted and an unposted sale voucher in its year
constexpr int kClerk = 3;    // may do all but post sale vouchers

// The signed-in hand-made book, with a main type and a sub type that hold
// nothing; `user` signed in instead of the administrator.
struct Book {
    testing_support::SignedInBook s;

    explicit Book(int user)
    {
        s.t.db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (101, 'Spare', 10)");
        s.t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (75102, 'Spare Admin', 751)");
        if (user != 1) {
            s.t.addUser(user, "clerk", "");
            s.t.refuse(user, app::kindOfType(kSale)->postRight());
            s.main->PelkUser = user;
        }
    }
    ~Book() { s.main->host().closeAll(); }

    // The sale voucher of the year that is posted or not, open for editing.
    vouchers::VoucherForm* saleVoucher(bool posted)
    {
        auto* form = dynamic_cast<vouchers::VoucherForm*>(s.main->openWindow(app::kindOfType(kSale)->form, false));
        for (const auto& v : s.book.vouchers())
            if (v.type == kSale && v.posted == posted && v.fyId == testing_support::kYear)
                form->EditingRecord(v.tranNo);
        return form;
    }
};

void press(QWidget* w, const char* button)
{
    w->findChild<QAbstractButton*>(QLatin1String(button))->click();
}

// Picks the rows shown as `texts` in the chart editor's lists, in order.
QWidget* chartAt(Book& b, const std::vector<std::pair<const char*, const char*>>& picks)
{
    QWidget* w = b.s.main->openWindow(QStringLiteral("ModifyAccounts"), true);
    for (const auto& [list, text] : picks) {
        auto* l = w->findChild<QListWidget*>(QLatin1String(list));
        l->setCurrentItem(l->findItems(QString::fromUtf8(text), Qt::MatchExactly).value(0));
    }
    return w;
}

// Every row of every table, as text.
std::string everything(platform::Database& db)
{
    std::string all;
    platform::Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (tables.step()) {
        const std::string name = tables.column(0).toText();
        platform::Statement rows(db, "SELECT * FROM \"" + name + "\"");
        all += name + ":\n";
        while (rows.step()) {
            for (int c = 0; c < rows.columnCount(); ++c)
                all += rows.column(c).toText() + '|';
            all += '\n';
        }
    }
    return all;
}

struct Question {
    const char* name;
    int user;
    const char* title;
    std::function<void(Book&)> ask;   // does what asks the question
};

const std::vector<Question>& questions()
{
    static const std::vector<Question> list{
        {"clearing the year", 1, "Confirmation",
         [](Book& b) { press(b.s.main->openWindow(QStringLiteral("ClearTransactions"), true), "ClearBttn"); }},
        {"deleting a voucher", 1, "Delete Confirmation", [](Book& b) { press(b.saleVoucher(false), "DelBttn"); }},
        {"saving a posted voucher un-posted", kClerk, "Save Confirmation",
         [](Book& b) {
             auto* form = b.saleVoucher(true);
             form->findChild<QLineEdit*>(QStringLiteral("Desc"))->setText(QStringLiteral("edited"));
             press(form, "SaveBttn");
         }},
        {"printing a posted voucher after an edit", kClerk, "Save Confirmation",
         [](Book& b) {
             auto* form = b.saleVoucher(true);
             form->findChild<QLineEdit*>(QStringLiteral("Desc"))->setText(QStringLiteral("edited"));
             press(form, "PrintBill");
         }},
        {"deleting a main type", 1, "Delete Confirmation",
         [](Book& b) { press(chartAt(b, {{"L1List", "Spare"}}), "DelBttn"); }},
        {"deleting a sub type", 1, "Delete Confirmation",
         [](Book& b) { press(chartAt(b, {{"L1List", "Expenses"}, {"L2List", "Spare Admin"}}), "DelBttn2"); }},
        {"deleting an account", 1, "Delete Confirmation",
         [](Book& b) {
             press(chartAt(b, {{"L1List", "Expenses"}, {"L2List", "Admin"}, {"L3List", "Idle Account"}}), "DelBttn3");
         }},
    };
    return list;
}

} // namespace

class DestroyingQuestionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        signed_in::setUpSeams();
        app::registerWindows();
    }

    void noIsTheDefaultAndWritesNothing_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < questions().size(); ++i)
            QTest::newRow(questions()[i].name) << static_cast<int>(i);
    }
    void noIsTheDefaultAndWritesNothing()
    {
        QFETCH(int, index);
        const Question& q = questions()[static_cast<std::size_t>(index)];
        Book b(q.user);
        const std::string before = everything(b.s.t.db());
        q.ask(b);   // the recorder answers No
        QCOMPARE(b.s.messages.boxes().size(), std::size_t{1});
        const forms::MessageBox box = b.s.messages.last();
        QCOMPARE(box.title, QString::fromUtf8(q.title));
        QCOMPARE(box.buttons, forms::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, forms::Answer::No);
        QCOMPARE(everything(b.s.t.db()), before);
    }
};

WINDOW_TEST_MAIN(DestroyingQuestionsTest)
#include "destroying_questions_test.moc"
