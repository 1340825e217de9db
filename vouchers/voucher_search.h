// The search window of a voucher kind ("Find Purchase Voucher" ... ): the kind's
// vouchers of the signed-in year with who added and edited them, narrowed by up
// to six criteria, sorted by number or date, and opened in the kind's voucher
// form. The criteria's checks are in voucher_search_rules, the SQL in voucher_search_store.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QDialog>

#include "main/voucher_kinds.h"
#include "vouchers/voucher_search_rules.h"
#include "vouchers/voucher_store.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app { class Parent; }
namespace forms { class DataGrid; }

namespace vouchers {

class VoucherSearchModel;

class VoucherSearch : public QDialog {
    Q_OBJECT

public:
    // The search window of `kind` on the main window's connection
    // `main.Pelkconn`, which must be open. Loads at once (Form_Load); its
    // objectName is the kind's search window name ("FindPV").
    VoucherSearch(app::Parent& main, const app::VoucherKind& kind, QWidget* parent = nullptr);
    ~VoucherSearch() override;

    // Lists every voucher of the kind in the signed-in year by number, both
    // dates today, "Un-Posted" and "Cancelled" chosen, no criterion ticked.
    // A database failure is shown and leaves the list empty.
    void Form_Load();
    // Lets go of the list. Runs once, however the window closes.
    void Form_Unload();
    // Enables the input(s) of criterion `index` (0 to 5) while its box is
    // ticked and disables them while it is clear. The list stays as it is.
    void SelectOpt_Click(int index);
    // "FInd": the checks of the ticked criteria in their order (a refusal is
    // shown under "Cannot Find" and focuses the box, the list stays), then
    // lists the vouchers that meet all of them, by number.
    void FindBttn_Click();
    // Opens the current row's voucher in the kind's voucher form, after the
    // kind's browse right, and closes; nothing without a current row; a
    // refused right is shown and the window stays.
    void TranGrid_DblClick();
    // Sorts the listed rows: column 0 by number, 1 by date (a day's vouchers by
    // number); the other headers do nothing.
    void TranGrid_HeadClick(int column);
    // Enter ('\r') opens the current row's voucher as a double-click does and
    // is used up (cleared); other characters pass.
    void TranGrid_KeyPress(QChar& character);

    // The listed vouchers' TranNo in the order shown (tests).
    std::vector<std::int64_t> listedTranNos() const;

protected:
    void done(int result) override;

private:
    void buildControls();
    void showList(std::vector<ListedVoucher> rows);
    void showCurrent();

    app::Parent& m_main;
    const app::VoucherKind& m_kind;
    KindYear m_kindYear;
    bool m_unloaded = false;

    VoucherSearchModel* m_model = nullptr;
    forms::DataGrid* m_grid = nullptr;
    QLineEdit* m_tranNo = nullptr;
    QLineEdit* m_chqBank = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text3 = nullptr;
    std::array<QCheckBox*, 6> m_selectOpt{};
    QLineEdit* m_voucherNo = nullptr;
    std::array<QDateEdit*, 2> m_dt{};
    QLineEdit* m_desc = nullptr;
    QComboBox* m_postList = nullptr;
    QComboBox* m_cancelList = nullptr;
    QLineEdit* m_amtBox = nullptr;
    QPushButton* m_findBttn = nullptr;
};

// Makes the search window of `kind` for the window catalog.
QWidget* makeVoucherSearch(app::Parent& main, const app::VoucherKind& kind);

} // namespace vouchers
