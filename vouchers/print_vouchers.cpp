// The batch print window: kind, range, and one report over the main window's VoucherRst.
#include "vouchers/print_vouchers.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "main/default_period.h"
#include "main/parent.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/messages.h"
#include "platform/forms/select_all_text.h"
#include "platform/shell/environment.h"
#include "reports/vouchers/voucher_query.h"
#include "vouchers/voucher_printing.h"
#include "vouchers/voucher_rules.h"

namespace vouchers {
namespace {

constexpr int kSerialLength = 8;

QDateEdit* datePicker(QWidget* parent, const char* name)
{
    auto* d = forms::makeDatePicker(parent, name);
    d->setEnabled(false);
    return d;
}

QLineEdit* serialBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignCenter);
    // Digits only, typed or pasted (SerialFrom_KeyPress, SerialTo_KeyPress).
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}")), box));
    forms::limitLength(box, kSerialLength);
    forms::selectAllOnFocus(box);
    box->setEnabled(false);
    return box;
}

} // namespace

PrintVouchers::PrintVouchers(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("PrintVouchers"));
    setWindowTitle(QStringLiteral("Print Vouchers"));

    auto* title = new QLabel(QStringLiteral("Print Vouchers"), this);
    title->setObjectName(QStringLiteral("Label2"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);

    auto* typeLbl = new QLabel(QStringLiteral("Voucher Type"), this);
    typeLbl->setObjectName(QStringLiteral("Label1"));
    auto* types = new QGridLayout;
    auto* typeGroup = new QButtonGroup(this);
    int position = 0;
    // The kinds in the table's order, which is their tab order here.
    for (const app::VoucherKind& kind : app::voucherKinds()) {
        const int code = kind.tranType;
        // The plural of the kind's caption: "Purchase Vouchers".
        auto* opt = new QRadioButton(QString::fromUtf8(kind.texts.caption) + u's', this);
        opt->setObjectName(QStringLiteral("TypeOpt%1").arg(code));
        typeGroup->addButton(opt, code);
        m_typeOpt[code] = opt;
        types->addWidget(opt, position / 3, position % 3);
        ++position;
    }
    m_typeOpt[m_tranType]->setChecked(true);
    connect(typeGroup, &QButtonGroup::idClicked, this, &PrintVouchers::TypeOpt_Click);

    auto* criteriaLbl = new QLabel(QStringLiteral("Selection Criteria"), this);
    criteriaLbl->setObjectName(QStringLiteral("Label3"));
    auto* selectionGroup = new QButtonGroup(this);
    const char* const captions[] = {"All Records", "Date From", "Serial From"};
    for (int i = 0; i < 3; ++i) {
        m_selectionOpt[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        m_selectionOpt[i]->setObjectName(QStringLiteral("Selection%1").arg(i));
        selectionGroup->addButton(m_selectionOpt[i], i);
    }
    m_selectionOpt[0]->setChecked(true);
    connect(selectionGroup, &QButtonGroup::idClicked, this, &PrintVouchers::Selection_Click);

    m_dateFrom = datePicker(this, "DateFrom");
    m_dateTo = datePicker(this, "DateTo");
    m_serialFrom = serialBox(this, "SerialFrom");
    m_serialTo = serialBox(this, "SerialTo");
    auto* endLbl = new QLabel(QStringLiteral("To"), this);
    endLbl->setObjectName(QStringLiteral("EndLbl"));
    auto* label4 = new QLabel(QStringLiteral("To"), this);
    label4->setObjectName(QStringLiteral("Label4"));

    auto* criteria = new QGridLayout;
    criteria->addWidget(m_selectionOpt[0], 0, 0);
    criteria->addWidget(m_selectionOpt[1], 1, 0);
    criteria->addWidget(m_dateFrom, 1, 1);
    criteria->addWidget(endLbl, 1, 2);
    criteria->addWidget(m_dateTo, 1, 3);
    criteria->addWidget(m_selectionOpt[2], 2, 0);
    criteria->addWidget(m_serialFrom, 2, 1);
    criteria->addWidget(label4, 2, 2);
    criteria->addWidget(m_serialTo, 2, 3);

    auto* preview = new QPushButton(QStringLiteral("Print "), this);
    preview->setObjectName(QStringLiteral("PreviewBttn"));
    preview->setAutoDefault(false);
    connect(preview, &QPushButton::clicked, this, &PrintVouchers::PreviewBttn_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(typeLbl);
    layout->addLayout(types);
    layout->addWidget(criteriaLbl);
    layout->addLayout(criteria);
    layout->addWidget(preview, 0, Qt::AlignRight);

    Form_Load();
}

void PrintVouchers::Form_Load()
{
    const app::Period period = app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd);
    m_dateFrom->setDate(period.start);
    m_dateTo->setDate(period.end);
}

void PrintVouchers::TypeOpt_Click(int index)
{
    m_tranType = index;
}

void PrintVouchers::Selection_Click(int index)
{
    m_selection = index;
    m_dateFrom->setEnabled(index == 1);
    m_dateTo->setEnabled(index == 1);
    m_serialFrom->setEnabled(index == 2);
    m_serialTo->setEnabled(index == 2);
}

void PrintVouchers::PreviewBttn_Click()
{
    reports::VoucherBatch batch{.tranType = m_tranType, .fyId = m_main.FYID};
    switch (m_selection) {
    case 1:
        batch.criterion = reports::BatchCriterion::DateRange;
        batch.dateFrom = m_dateFrom->date();
        batch.dateTo = m_dateTo->date();
        break;
    case 2: {
        const std::string from = m_serialFrom->text().toStdString();
        const std::string to = m_serialTo->text().toStdString();
        if (const auto problem = checkSerialRange(from, to)) {
            forms::showFailure(this, *problem);
            return;
        }
        batch.criterion = reports::BatchCriterion::SerialRange;
        batch.serialFrom = *parseDocNo(from);
        batch.serialTo = *parseDocNo(to);
        break;
    }
    default:
        break;
    }
    printVouchers(m_main, this, m_tranType, [this, batch](platform::Database& db) {
        return reports::openVoucherBatch(db, m_main.CurrencyName, batch);
    }, QStringLiteral("No voucher of this kind in the year matches the selection."));
}

} // namespace vouchers
