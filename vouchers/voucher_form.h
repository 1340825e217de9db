// The voucher form shared by the nine voucher kinds: header, lines grid,
// totals and words, numbering, browsing, saving, posting, cancelling and
// deleting, and "Print", which saves and then prints through the voucher
// layouts. The search window comes with its own window.
#pragma once

#include <cstdint>
#include <vector>

#include <QWidget>

#include "main/voucher_kinds.h"
#include "vouchers/voucher_rules.h"
#include "vouchers/voucher_store.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace app { class Parent; }
namespace accounts { class VoucherLineGrid; }

namespace vouchers {

// The lines a voucher form holds; the grid is padded with blank rows to this many.
inline constexpr std::size_t kVoucherRows = 300;

class VoucherForm : public QWidget, public app::VoucherView {
    Q_OBJECT

public:
    // The form of `kind` on the main window's connection `main.Pelkconn`, which
    // must be open; loads at once (Form_Load). Its objectName is the kind's form name.
    VoucherForm(app::Parent& main, const app::VoucherKind& kind, QWidget* parent = nullptr);
    ~VoucherForm() override;

    // Reads the open jobs, prepares a new voucher, and honours the hand-over:
    // when the main window's LOpen is set it clears it and opens LedgerRef,
    // which "Last" then reopens. A database failure is shown; the form stays usable.
    void Form_Load();
    // Sets the main window's LedgerRef to 0 and clears LOpen (a hand-over
    // without a number is none). Unsaved changes are dropped.
    void Form_Unload();
    // Ctrl+S (Ctrl alone) runs SaveBttn_Click once, whichever control of the
    // form has the focus. Returns true when the key was used.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);

    // Opens voucher `tranNo` of this form's kind and year for editing and
    // clears the main window's LOpen. When it is not such a voucher, "Record
    // Not Found" is shown and the form stays exactly as it was.
    void EditingRecord(std::int32_t tranNo) override;

    // "<<": while adding the highest-numbered voucher, while editing the
    // previous one (the first stays on the first). Nothing without vouchers of
    // the kind in the year; needs the kind's browse right.
    void PrevBttn_Click();
    // ">>": while editing the next voucher (the last stays on the last); while
    // adding "You have aleady been on the last record."; otherwise as "<<".
    void NextBttn_Click();
    // "New": while editing a fresh new voucher; while adding a refusal.
    void AddBttn_Click();
    // "Cancel": reopens the voucher this form shows, or a fresh new voucher.
    void CancelBttn_Click();
    // "Last": reopens the voucher saved last in this form (or handed over at
    // load); nothing without vouchers of the kind in the year.
    void RetBttn_Click();
    // "Find": the kind's search window, modal, when it is part of the program.
    void EditBttn_Click();
    // "Save" and Ctrl+S: the posting confirmation where it applies, then
    // ValidateAndSave. Does nothing while the buttons are disabled.
    void SaveBttn_Click();
    // "Post Voucher" / "Un-Post Voucher": flips the posted flag; a save writes it.
    void PostBttn_Click();
    // Shows the posted flag: the button's caption and the stamp.
    void PostOpt_Click();
    // Shows the cancelled flag: red and bold when ticked, dark grey when clear.
    void CancelOption_Click();
    // "Delete": with the kind's delete right and a confirmation, deletes the
    // open voucher with its lines and prepares a new voucher.
    void DelBttn_Click();

    // "Print": a saved voucher the user has not changed is printed as it is
    // stored, without a save; anything else goes the way of "Save" (with its
    // confirmation) and is printed once saved. A refused or declined save
    // prints nothing; declining the confirmation reopens the voucher as last
    // saved. Either way PrintTimer then prints, 1000 ms later; the buttons wait
    // disabled till then. Does nothing while the buttons are disabled.
    void PrintBill_Click();
    // Prints the voucher saved (or chosen) last, as Voucher1 or Voucher2 by the
    // kind's print-layout flag, stops the timer and prepares a new voucher once
    // the report window is closed. Data that cannot be opened is told; the
    // form is then prepared for a new voucher all the same. A voucher handed
    // over while the timer waited stays on the form, ready to edit.
    void PrintTimer_Timer();

    // The totals, the difference line and the amount in words, from the lines.
    void ShowTotals();

    // State, for the windows that hand vouchers over and for tests.
    bool adding() const { return m_adding; }
    std::int64_t shownTranNo() const { return m_tranNo; }
    std::int64_t lastTranNo() const { return m_curTranNo; }
    accounts::VoucherLineGrid* lines() const { return m_lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void NewVoucher();
    // What the form shows, as the user can change it.
    ShownVoucher shown() const;
    // The JobID of the job box's chosen entry; 0 when none is chosen.
    std::int64_t chosenJobId() const;
    // Opens `tranNo` of the kind and year: all of it, or nothing (the message
    // then says why). True when it opened.
    bool openVoucher(std::int64_t tranNo);
    // The save checks in their order, then the write and a new voucher.
    void ValidateAndSave();
    // Writes the checked voucher in one transaction. False, with the form
    // usable again and the reason shown, when nothing was written.
    bool WriteVoucher(std::int64_t docNo, std::int64_t jobId, platform::Money debitTotal);
    void setButtonsEnabled(bool on);
    void setPosted(bool posted);
    void browseTo(Step step);
    bool kindHasVouchers();

    app::Parent& m_main;
    const app::VoucherKind& m_kind;
    KindYear m_kindYear;

    // Adding: yes while a new voucher is entered. m_tranNo and m_docNo: the
    // voucher shown while editing, as stored (0 while adding). CurTranNo: what
    // "Last" reopens, the voucher saved last in this form or handed over at load.
    bool m_adding = true;
    std::int64_t m_tranNo = 0;
    std::int64_t m_docNo = 0;
    std::int64_t m_curTranNo = 0;
    std::vector<Job> m_jobs;
    // The job of the open voucher when it is no longer open: kept by a save
    // unless the user types into the job box.
    std::int64_t m_keptJobId = 0;
    // What a save does next: prepare a new voucher ("Save") or print ("Print").
    // SavedTranNo: the voucher PrintTimer prints. Opened: the voucher shown as
    // it was opened, which "Print" compares with the screen.
    enum class AfterSave { NewVoucher, Print };
    AfterSave m_afterSave = AfterSave::NewVoucher;
    std::int64_t m_savedTranNo = 0;
    ShownVoucher m_opened;
    // A voucher handed over (EditingRecord) while PrintTimer waited: the
    // print then leaves it on the form instead of preparing a new voucher.
    bool m_handedDuringPrint = false;

    QLabel* m_label2 = nullptr;
    QLineEdit* m_tranNoBox = nullptr;
    QLineEdit* m_docNoBox = nullptr;
    QDateEdit* m_trDate = nullptr;
    QLineEdit* m_desc = nullptr;
    QComboBox* m_jobList = nullptr;
    QCheckBox* m_postOpt = nullptr;
    QPushButton* m_postBttn = nullptr;
    QLabel* m_postPic = nullptr;
    QCheckBox* m_cancelOption = nullptr;
    accounts::VoucherLineGrid* m_lines = nullptr;
    QLabel* m_amtWords = nullptr;
    QPushButton* m_prevBttn = nullptr;
    QPushButton* m_nextBttn = nullptr;
    QPushButton* m_addBttn = nullptr;
    QPushButton* m_saveBttn = nullptr;
    QPushButton* m_cancelBttn = nullptr;
    QPushButton* m_delBttn = nullptr;
    QPushButton* m_editBttn = nullptr;
    QPushButton* m_retBttn = nullptr;
    QPushButton* m_printBill = nullptr;
    QTimer* m_printTimer = nullptr;
};

// Makes the loaded form of `kind` for the window catalog.
QWidget* makeVoucherForm(app::Parent& main, const app::VoucherKind& kind);

} // namespace vouchers
