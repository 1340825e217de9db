// "Print Vouchers": every voucher of one kind in the signed-in year, or those
// of a date range or of a range of serial numbers, in one report, a voucher a
// page. The layouts and the query are reports/vouchers'.
#pragma once

#include <map>

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QRadioButton;

namespace app { class Parent; }

namespace vouchers {

class PrintVouchers : public QDialog {
    Q_OBJECT

public:
    // The window for the signed-in year of `main`, whose Pelkconn must be open;
    // loads at once. Purchase vouchers and "All Records" are selected.
    explicit PrintVouchers(app::Parent& main, QWidget* parent = nullptr);

    // The date pickers take the default period of the signed-in year.
    void Form_Load();
    // The kind whose type code is `index` is printed next.
    void TypeOpt_Click(int index);
    // 0 "All Records": no range; 1 "Date From": the dates; 2 "Serial From":
    // the numbers. Enables the boxes of the chosen range only.
    void Selection_Click(int index);
    // "Print ": for a number range, refuses one that is not numeric or ends
    // below its start ("Invalid Document No.", focus on SerialFrom); then prints
    // the chosen kind's vouchers of the year in the range, posted or not,
    // cancelled or not, in serial number order, with the kind's layout. The
    // window stays open.
    void PreviewBttn_Click();

    // The type code printed next.
    int tranType() const { return m_tranType; }

private:
    app::Parent& m_main;
    int m_tranType = 21;
    int m_selection = 0;
    std::map<int, QRadioButton*> m_typeOpt;
    QRadioButton* m_selectionOpt[3] = {};
    QDateEdit* m_dateFrom = nullptr;
    QDateEdit* m_dateTo = nullptr;
    QLineEdit* m_serialFrom = nullptr;
    QLineEdit* m_serialTo = nullptr;
};

} // namespace vouchers
