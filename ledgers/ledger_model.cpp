// The ledger grid's texts.
#include "ledgers/ledger_model.h"

#include "ledgers/balance.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {
constexpr const char* kAmount = "0.00;(0.00)";
}

void LedgerModel::setLines(std::vector<LedgerLine> lines, KindNames kinds)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_kinds = std::move(kinds);
    endResetModel();
}

int LedgerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int LedgerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool amount = index.column() == Debit || index.column() == Credit
                            || index.column() == BalanceColumn;
        return QVariant::fromValue(Qt::Alignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole)
        return {};
    const LedgerLine& l = m_lines[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case Date: {
        const auto date = platform::parseIsoDate(l.tranDate);
        return date ? platform::formatDate(*date, "dd-MM-yy") : QString::fromStdString(l.tranDate);
    }
    case TranNo:
        return QString::fromStdString(shortReference(m_kinds, l));
    case Description:
        return QString::fromStdString(l.desc);
    case Debit:
        return platform::formatMoneyQ(l.debit, kAmount);
    case Credit:
        return platform::formatMoneyQ(l.credit, kAmount);
    case BalanceColumn:
        return platform::formatMoneyQ(balanceOf(l.running).amount, kAmount);
    case Status:
        return QString::fromLatin1(statusText(balanceOf(l.running).side));
    default:
        return {};
    }
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Date: return QStringLiteral("      Date");
    case TranNo: return QStringLiteral("    Tran. No.");
    case Description: return QStringLiteral("Description");
    case Debit: return QStringLiteral("         Debit");
    case Credit: return QStringLiteral("         Credit");
    case BalanceColumn: return QStringLiteral("       Balance");
    case Status: return QStringLiteral("  Status");
    default: return {};
    }
}

} // namespace ledgers
