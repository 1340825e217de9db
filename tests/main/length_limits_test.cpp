// Every limited box of the main program, window by window: typed or pasted past
// its limit with an emoji at the edge, the box keeps whole characters only, and
// what its window's save stores is exactly what the box shows.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include "main/login_form.h"
#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/data/password_hash.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/window_host.h"
#include "platform/text/characters.h"
#include "tests/ledgers/signed_in_book.h"
#include "tests/main/signed_in.h"
#include "tests/support/window_test_main.h"
#include "vouchers/voucher_form.h"
#include "vouchers/voucher_search_rules.h"

namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // U+1F600, two UTF-16 units
constexpr int kPartlyPosted = 31;                                // the hand book's unposted voucher's kind

// The signed-in hand-made book, and a window of the test's own (the sign-in).
struct Book {
    testing_support::SignedInBook s;
    std::unique_ptr<QWidget> own;

    ~Book() { s.main->host().closeAll(); }

    QWidget* open(const char* name, bool modal) { return s.main->openWindow(QString::fromLatin1(name), modal); }
};

QWidget* press(QWidget* w, const char* button)
{
    if (w)
        w->findChild<QAbstractButton*>(QLatin1String(button))->click();
    return w;
}

// A box with a limit: how its window is opened ready for typing into it, and
// how what it holds is saved and read back.
struct LimitedBox {
    const char* window;
    const char* box;
    int limit;
    std::function<QWidget*(Book&)> open;
    bool digitsOnly = false;
    const char* saveButton = nullptr;   // none: the box is never stored
    // The stored text, found by its start ('?' is bound to the box's first
    // characters and '%').
    std::string stored = {};
    bool hashed = false;                // stored as a password hash
    // Fills the other boxes the save needs, given the box's text.
    std::function<void(QWidget&, const QString&)> complete = {};
};

std::function<QWidget*(Book&)> modal(const char* name, const char* button = nullptr)
{
    return [name, button](Book& b) {
        QWidget* w = b.open(name, true);
        return button ? press(w, button) : w;
    };
}

std::string storedIn(const char* table, const char* column)
{
    return std::string("SELECT ") + column + " FROM " + table + " WHERE " + column + " LIKE ?";
}

void setText(QWidget& w, const char* box, const QString& text)
{
    w.findChild<QLineEdit*>(QLatin1String(box))->setText(text);
}

std::vector<LimitedBox> limitedBoxes()
{
    std::vector<LimitedBox> list;
    const struct { const char* box; int limit; const char* column; } company[] = {
        {"Info0", 100, "Name"}, {"Info1", 150, "Address"}, {"Info2", 100, "Telephones"},
        {"Info3", 100, "Fax"},  {"Info4", 100, "Website"}, {"Info5", 100, "Email"},
        {"Info6", 100, "NTN"},  {"Info7", 100, "SalesTaxReg"}, {"Info8", 200, "Description"},
    };
    for (const auto& c : company)
        list.push_back({"CompanyInfo", c.box, c.limit, modal("CompanyInfo"), false, "SaveBttn",
                        storedIn("BusinessInfo", c.column)});

    list.push_back({"CurrencySettings", "CName", 100, modal("CurrencySettings"), false, "SaveBttn",
                    storedIn("BusinessInfo", "CurrencyName")});
    list.push_back({"CurrencySettings", "CSymbol", 3, modal("CurrencySettings"), false, "SaveBttn",
                    storedIn("Currencies", "\"CCode\u00a0\u00a0\"")});
    list.push_back({"CurrencySettings", "CSymbol", 3, modal("CurrencySettings"), false, "SaveBttn",
                    storedIn("BusinessInfo", "CCode")});

    list.push_back({"UserLogins", "LoginTxt", 20, modal("UserLogins", "AddBttn"), false, "SaveBttn",
                    storedIn("Users", "UserName")});
    const auto newPassword = [](QWidget& w, const QString& typed) {
        setText(w, "OldPwd", QStringLiteral("admin"));
        setText(w, "NewPwd", typed);
        setText(w, "NewPwd2", typed);
    };
    for (const char* box : {"NewPwd", "NewPwd2"})
        list.push_back({"Password", box, 20, modal("Password"), false, "ChangePwd",
                        "SELECT Password FROM Users WHERE UserID = 1 AND ? <> ''",   // a hash: not by its start
                        true, newPassword});
    list.push_back({"Password", "OldPwd", 20, modal("Password")});
    list.push_back({"LoginForm", "PWD", 20, [](Book& b) {
                        b.own = std::make_unique<app::LoginForm>(b.s.t.path());
                        b.own->show();
                        return b.own.get();
                    }});

    list.push_back({"ModifyAccounts", "CatCodeTxt", 255, modal("ModifyAccounts"), false, "SaveBttn",
                    storedIn("AccLevel1", "Type")});
    list.push_back({"ModifyAccounts", "SubCatCodeTxt", 255, modal("ModifyAccounts"), false, "SaveBttn2",
                    storedIn("AccLevel2", "L2AccName")});
    list.push_back({"ModifyAccounts", "AccCodeTxt", 255, modal("ModifyAccounts"), false, "SaveBttn3",
                    storedIn("AccLevel3", "AccName")});
    list.push_back({"ModifyAccounts", "MainCode", 3, modal("ModifyAccounts", "AddBttn"), true});

    const auto job = [](QWidget& w, const QString&) { setText(w, "DocNo", QStringLiteral("77")); };
    const struct { const char* box; int limit; const char* column; } jobBoxes[] = {
        {"Desc", 250, "JobDesc"},          {"OrderNo", 250, "OrderRefDate"}, {"DelDate", 250, "ExpDeliveryDate"},
        {"PartyAddress", 250, "Address"},  {"PartyTel", 100, "Telephone"},   {"PartyContact", 100, "Contact"},
        {"JobEmp", 250, "JobIncharge"},    {"CompDate", 250, "CompletionDate"}, {"DelRef", 250, "DeliveryRefDate"},
        {"Remarks", 250, "Remarks"},
    };
    for (const auto& j : jobBoxes)
        list.push_back({"Jobs", j.box, j.limit, modal("Jobs", "AddBttn"), false, "SaveBttn",
                        storedIn("Jobs", j.column), false, job});
    // The amounts of a job are numbers to be saved: their boxes are only typed into.
    for (const char* box : {"EstCost", "JobValue"})
        list.push_back({"Jobs", box, 250, modal("Jobs", "AddBttn")});
    list.push_back({"Jobs", "DocNo", 8, modal("Jobs", "AddBttn")});

    const auto voucher = [](Book& b) -> QWidget* {
        const app::VoucherKind& kind = *app::kindOfType(kPartlyPosted);
        auto* form = dynamic_cast<vouchers::VoucherForm*>(b.open(kind.form, false));
        for (const auto& v : b.s.book.vouchers())
            if (v.type == kPartlyPosted && !v.posted && v.fyId == testing_support::kYear)
                form->EditingRecord(v.tranNo);
        return form;
    };
    list.push_back({"VoucherForm", "Desc", 250, voucher, false, "SaveBttn",
                    storedIn("Transactions", "\"Desc\"")});
    list.push_back({"VoucherForm", "DocNo", 10, voucher, true});

    const auto search = [](Book& b) -> QWidget* {
        QWidget* w = b.s.main->openWindow(QString::fromLatin1(vouchers::searchTexts(kPartlyPosted).window), true);
        for (QCheckBox* option : w->findChildren<QCheckBox*>())
            option->setChecked(true);
        return w;
    };
    for (const char* box : {"VoucherNo", "Desc", "AmtBox"})
        list.push_back({"VoucherSearch", box, 250, search});

    const auto range = [](Book& b) { return press(b.open("PrintVouchers", true), "Selection2"); };
    for (const char* box : {"SerialFrom", "SerialTo"})
        list.push_back({"PrintVouchers", box, 8, range, true});
    list.push_back({"AccLedgers", "ACodeTxt", 8, [](Book& b) { return b.open("AccLedgers", false); }, true});
    for (const char* box : {"CodeFrom", "CodeTo"})
        list.push_back({"AccBalances", box, 8,
                        [](Book& b) { return press(b.open("AccBalances", false), "RangeOpt"); }, true});
    return list;
}

// A limited box, of one line or of several.
struct Box {
    explicit Box(QWidget* w) : line{qobject_cast<QLineEdit*>(w)}, lines{qobject_cast<QPlainTextEdit*>(w)} {}

    QString text() const
    {
        return line ? line->text()
                    : lines->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    // Pastes `text` over the whole text; an empty one empties the box.
    void pasteOverAll(const QString& text) const
    {
        QApplication::clipboard()->setText(text);
        if (line) {
            line->selectAll();
            text.isEmpty() ? line->clear() : line->paste();
        } else {
            lines->selectAll();
            text.isEmpty() ? lines->clear() : lines->paste();
        }
    }

    QLineEdit* line;
    QPlainTextEdit* lines;
};

// Types `text` one character a key, as a keyboard sends it: an emoji is one key.
void type(QWidget* box, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

} // namespace

class LengthLimitsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        signed_in::setUpSeams();
        app::registerWindows();
    }

    void everyLimitedBoxKeepsWholeCharactersAndStoresWhatItShows_data()
    {
        QTest::addColumn<int>("index");
        const auto list = limitedBoxes();
        for (std::size_t i = 0; i < list.size(); ++i)
            QTest::addRow("%s.%s %s", list[i].window, list[i].box, list[i].stored.c_str())
                << static_cast<int>(i);
    }
    void everyLimitedBoxKeepsWholeCharactersAndStoresWhatItShows()
    {
        QFETCH(int, index);
        const LimitedBox row = limitedBoxes().at(static_cast<std::size_t>(index));
        Book b;
        QWidget* w = row.open(b);
        QVERIFY(w);
        auto* box = w->findChild<QWidget*>(QLatin1String(row.box));
        QVERIFY(box);
        QVERIFY(box->isEnabled());
        QCOMPARE(forms::lengthLimit(box), row.limit);

        // A paste that runs past the limit, the limit falling inside an emoji:
        // the emoji goes whole; a character typed after it finds no room.
        const QString start(row.limit - 1, row.digitsOnly ? QLatin1Char('7') : QLatin1Char('a'));
        const QString full = row.digitsOnly ? start + QLatin1Char('7') : start + kEmoji;
        const Box limited(box);
        limited.pasteOverAll(row.digitsOnly ? start + QStringLiteral("777") : start + kEmoji + kEmoji);
        QCOMPARE(limited.text(), full);
        type(box, QStringLiteral("b"));
        QCOMPARE(limited.text(), full);

        // Typed: the emoji that fits goes in whole, the next is refused.
        limited.pasteOverAll(QString());
        QCOMPARE(limited.text(), QString());
        type(box, start);
        type(box, row.digitsOnly ? QStringLiteral("77") : kEmoji + kEmoji);
        QCOMPARE(limited.text(), full);
        QVERIFY(!hasLoneSurrogate(limited.text()));
        QCOMPARE(platform::characterCount(limited.text()), row.limit);

        if (!row.saveButton)
            return;
        if (row.complete)
            row.complete(*w, full);
        b.s.messages.clear();
        press(w, row.saveButton);
        const auto stored = b.s.t.db().scalar(row.stored, {(start.left(5) + QLatin1Char('%')).toStdString()});
        QString shownBoxes;   // what the save showed, should it have stored something else
        for (const auto& m : b.s.messages.boxes())
            shownBoxes += m.title + QStringLiteral(": ") + m.text + QLatin1Char('\n');
        if (row.hashed)
            QVERIFY2(platform::passwordMatches(full.toStdString(), stored.toText()), qPrintable(shownBoxes));
        else
            QVERIFY2(QString::fromStdString(stored.toText()) == full,
                     qPrintable(QString::fromStdString(stored.toText()) + QLatin1Char('\n') + shownBoxes));
    }
};

WINDOW_TEST_MAIN(LengthLimitsTest)
#include "length_limits_test.moc"
