// The opening-balance fixture: chart, years, vouchers and the window.
#include "tests/accounts/opening_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "main/year_store.h"
#include "platform/forms/window_host.h"
#include "platform/data/database.h"
#include "platform/shell/environment.h"
#include "tests/support/signed_in_window.h"

namespace testing_support {
namespace {

platform::Value cents(const std::optional<std::int64_t>& amount)
{
    return amount ? platform::Value(*amount) : platform::Value();
}

} // namespace

OpeningBook::OpeningBook()
{
    auto& db = t.db();
    db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (200, 'Current Assets', 20),"
            " (300, 'Capital', 30), (450, 'Current Liabilities', 36), (500, 'Sales', 40), (750, 'Expenses', 55)");
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID) VALUES (?, 'Cash in Hand', 200),"
            " (?, 'Bank Account', 200), (?, '=Petty Cash', 200), (?, 'Owner''s Capital', 300),"
            " (?, 'Short Loan', 450), (?, 'Local Sales', 500), (?, 'Office Rent', 750)",
            {ob::Cash, ob::Bank, ob::Petty, ob::Capital, ob::Loan, ob::Sales, ob::Rent});
    platform::Transaction tx(db);
    app::addYear(tx, {ob::kSecondYear, QDate(2027, 7, 1), QDate(2028, 6, 30), QStringLiteral("2027-28")},
                 {1, QDateTime(QDate(2026, 12, 10), QTime(9, 0))});
    tx.commit();
}

OpeningWindow::OpeningWindow()
{
    shell::setScreenWidthTwips(20000);
    shell::setNow(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)));
    shell::setToday(QDate(2026, 12, 10));
    forms::WindowHost::setModalNonBlocking(true);}

OpeningWindow::~OpeningWindow()
{
    w.reset();
}

std::int64_t OpeningBook::voucher(int fyId, const char* isoDate, const std::vector<ObLine>& lines, bool posted,
                                    bool cancelled)
{
    auto& db = t.db();
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, Posted, Cancel)"
            " VALUES (?, ?, 'by hand', 41, ?, ?, ?)",
            {++m_docNo, isoDate, fyId, posted ? 1 : 0, cancelled ? 1 : 0});
    const std::int64_t tranNo = db.lastInsertId();
    for (const ObLine& l : lines)
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, Debit, Credit)"
                " SELECT ?, AccCode, AccName, ?, ? FROM AccLevel3 WHERE AccCode = ?",
                {tranNo, cents(l.debit), cents(l.credit), l.acc});
    return tranNo;
}

void OpeningBook::openingLines(int fyId, const std::vector<ObLine>& lines)
{
    const std::int64_t tranNo = *app::openingVoucherOf(t.db(), fyId);
    for (const ObLine& l : lines)
        t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
                    " SELECT ?, AccCode, AccName, 'Balance Brought Forward', ?, ? FROM AccLevel3 WHERE AccCode = ?",
                    {tranNo, cents(l.debit), cents(l.credit), l.acc});
}

accounts::OpeningBalancesAcc& OpeningWindow::open(int fyId)
{
    const auto year = app::findYear(t.db(), fyId);
    main = signedInWindow(t.path(), {.user = 1, .fyId = fyId, .fyStart = year->start, .fyEnd = year->end});
    main->AccTimer_Timer();
    w = std::make_unique<accounts::OpeningBalancesAcc>(*main);
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("window not active");
    return *w;
}

QStringList OpeningBook::storedLines(int fyId)
{
    QStringList out;
    platform::Statement st(t.db(), "SELECT AccCode, Debit, Credit FROM SubTransactions WHERE TranNo = ?"
                                   " ORDER BY Serial");
    st.bind(1, *app::openingVoucherOf(t.db(), fyId));
    while (st.step())
        out << QStringLiteral("%1:%2:%3")
                   .arg(QString::fromStdString(st.column(0).toText()), QString::fromStdString(st.column(1).toText()),
                        QString::fromStdString(st.column(2).toText()));
    return out;
}

QPushButton* OpeningWindow::button(const char* name) const
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace testing_support
