// The day book window: every line with an amount of the signed-in year's
// vouchers of a period that are not cancelled, posted or not, with the debit
// and credit totals; Print shows them as the report GJ and a double-click
// opens a line's voucher. It writes nothing.
#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "ledgers/day_book_model.h"
#include "ledgers/day_book_store.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace app { class Parent; }

namespace ledgers {

class DailyJournal : public QWidget {
    Q_OBJECT

public:
    // A day-book window on `main`'s connection and sign-in state; loads at
    // once (Form_Load). Needs main.Pelkconn open.
    explicit DailyJournal(app::Parent& main, QWidget* parent = nullptr);
    ~DailyJournal() override;

    // The totals caption, the default period and the clearing of a voucher
    // hand-over still pending (LOpen).
    void Form_Load();
    // BuildDayBook. A period that starts after it ends lists nothing, with
    // both totals "0.00".
    void ViewBttn_Click();
    // BuildDayBook, then the report GJ over GJQry (read a slice at a time),
    // modally; a period that starts after it ends prints no line. A failed
    // query or a report that cannot be laid out is told, and nothing is shown.
    void PrintBttn_Click();
    // Opens the voucher of the grid's current line (OpenVoucherFromLine);
    // nothing without a current line.
    void GJGrid_DblClick();

    // The rows of the last build, as the grid shows them.
    DayBookModel* dayBookModel() const { return m_model; }
    // The rows the last print showed; GJ leaves them open, and the next build
    // lets go of them. Null before the first print.
    const DayBookSlices* GJQry() const { return m_gjQry.get(); }
    // The totals of the last build; empty after a failed one.
    const std::optional<DayBookTotals>& totals() const { return m_totals; }

private:
    // Lists the period of LedgerDt and fills the totals; lets go of GJQry. A failed
    // query is told and leaves the grid, the totals and GJQry empty; returns false.
    bool BuildDayBook();
    void showCurrentLine(int row);

    app::Parent& m_main;
    DayBookModel* m_model = nullptr;
    std::shared_ptr<const DayBookSlices> m_gjQry;
    std::optional<DayBookTotals> m_totals;

    QDateEdit* m_from = nullptr;        // LedgerDt_0
    QDateEdit* m_to = nullptr;          // LedgerDt_1
    QTableView* m_grid = nullptr;       // GJGrid
    QLabel* m_tranType = nullptr;       // TranType
    QLineEdit* m_lTranNo = nullptr;     // LTranNo (hidden)
    QLineEdit* m_lTranType = nullptr;   // LTranType (hidden)
    QLabel* m_ttlLbl = nullptr;         // TtlLbl
    QLineEdit* m_totalDr = nullptr;     // TotalDr
    QLineEdit* m_totalCr = nullptr;     // TotalCr
};

} // namespace ledgers
