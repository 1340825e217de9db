// Texts of the trial balance's grids.
#include "statements/balance_models.h"

#include "ledgers/balance.h"
#include "platform/text/formats.h"

namespace statements {
namespace {

constexpr const char* kAmount = "0.00;(0.00)";

QVariant amount(platform::Money m)
{
    return platform::formatMoneyQ(m, kAmount);
}

QVariant alignment(bool right)
{
    return QVariant::fromValue(Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

} // namespace

void SixColumnModel::setRows(BalanceRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

std::optional<std::int64_t> SixColumnModel::codeAt(int row) const
{
    if (!m_rows || row < 0 || row >= static_cast<int>(m_rows->size()))
        return std::nullopt;
    return (*m_rows)[static_cast<std::size_t>(row)].accCode;
}

int SixColumnModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_rows ? 0 : static_cast<int>(m_rows->size());
}

int SixColumnModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SixColumnModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_rows)
        return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return alignment(c == OBalance || c == Debits || c == Credits || c == CBalance);
    if (role != Qt::DisplayRole)
        return {};
    const AccountFigures& f = (*m_rows)[static_cast<std::size_t>(index.row())];
    switch (c) {
    case AccCode: return QString::number(f.accCode);
    case AccName: return QString::fromStdString(f.accName);
    case OBalance: return amount(ledgers::balanceOf(f.opening).amount);
    case OStatus: return QString::fromLatin1(ledgers::statusText(ledgers::balanceOf(f.opening).side));
    case Debits: return amount(f.debits);
    case Credits: return amount(f.credits);
    case CBalance: return amount(ledgers::balanceOf(f.closing).amount);
    case CStatus: return QString::fromLatin1(ledgers::statusText(ledgers::balanceOf(f.closing).side));
    default: return {};
    }
}

QVariant SixColumnModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case AccCode: return QStringLiteral("  Account Code");
    case AccName: return QStringLiteral("Account Name");
    case OBalance: return QStringLiteral("   Opening Balance");
    case OStatus: return QStringLiteral(" Status");
    case Debits: return QStringLiteral("           Debit");
    case Credits: return QStringLiteral("          Credit");
    case CBalance: return QStringLiteral("   Closing Balance");
    case CStatus: return QStringLiteral(" Status");
    default: return {};
    }
}

void TwoColumnModel::setRows(BalanceRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_listed.clear();
    if (m_rows) {
        // The two-column list is a subset of the six-column rows: taking it
        // from them spares a second pass over the year's lines.
        for (std::size_t i = 0; i < m_rows->size(); ++i)
            if (listedInTwoColumns((*m_rows)[i]))
                m_listed.push_back(i);
    }
    endResetModel();
}

std::optional<std::int64_t> TwoColumnModel::codeAt(int row) const
{
    if (!m_rows || row < 0 || row >= static_cast<int>(m_listed.size()))
        return std::nullopt;
    return (*m_rows)[m_listed[static_cast<std::size_t>(row)]].accCode;
}

int TwoColumnModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_listed.size());
}

int TwoColumnModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TwoColumnModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_rows)
        return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return alignment(c == Debits || c == Credits);
    if (role != Qt::DisplayRole)
        return {};
    const AccountFigures& f = (*m_rows)[m_listed[static_cast<std::size_t>(index.row())]];
    switch (c) {
    case AccCode: return QString::number(f.accCode);
    case AccName: return QString::fromStdString(f.accName);
    case Debits:
    case Credits: {
        const TwoColumnCells cells = twoColumnSplit(f.closing);
        const auto& cell = c == Debits ? cells.debit : cells.credit;
        return cell ? amount(*cell) : QVariant(QString());
    }
    default: return {};
    }
}

QVariant TwoColumnModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case AccCode: return QStringLiteral("  Account Code");
    case AccName: return QStringLiteral("Account Name");
    case Debits: return QStringLiteral("               Debit");
    case Credits: return QStringLiteral("              Credit");
    default: return {};
    }
}

} // namespace statements
