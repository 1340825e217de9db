// The ledger grid and the current line's boxes.
#include "ledgers/ledger_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "ledgers/open_voucher.h"

namespace ledgers {

QTableView* makeLedgerGrid(QWidget* parent, QAbstractItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("LedgerGrid"));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return grid;
}

CurrentLineBoxes CurrentLineBoxes::make(QWidget* parent)
{
    CurrentLineBoxes b;
    b.tranType = new QLabel(parent);
    b.tranType->setObjectName(QStringLiteral("TranType"));
    b.lTranNo = new QLineEdit(parent);
    b.lTranNo->setObjectName(QStringLiteral("LTranNo"));
    b.lTranNo->hide();
    b.lTranType = new QLineEdit(parent);
    b.lTranType->setObjectName(QStringLiteral("LTranType"));
    b.lTranType->hide();
    return b;
}

void CurrentLineBoxes::show(const std::string& reference, std::int32_t tranNo, int type) const
{
    tranType->setText(QString::fromStdString(reference));
    lTranNo->setText(QString::number(tranNo));
    lTranType->setText(QString::number(type));
}

void CurrentLineBoxes::clear() const
{
    tranType->clear();
    lTranNo->clear();
    lTranType->clear();
}

void CurrentLineBoxes::openVoucher(app::Parent& main) const
{
    if (lTranNo->text().isEmpty())
        return;
    bool numberOk = false, typeOk = false;
    const int tranNo = lTranNo->text().toInt(&numberOk);
    const int type = lTranType->text().toInt(&typeOk);
    if (!numberOk || !typeOk)
        return;
    OpenVoucherFromLine(main, type, tranNo);
}

} // namespace ledgers
