// The day book's lazy rows.
#include "ledgers/day_book_model.h"

#include <algorithm>
#include <stdexcept>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {
constexpr const char* kAmount = "0.00;(0.00)";
}

DayBookModel::DayBookModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_firstRow.push_back(0);
}

DayBookTotals DayBookModel::open(platform::Database& db, int fyId, const QDate& from, const QDate& to)
{
    clear();
    std::vector<DayBookDay> days = dayBookDays(db, fyId, from, to);
    const DayBookTotals totals = totalsOf(days);
    std::vector<std::int64_t> first{0};
    first.reserve(days.size() + 1);
    for (const DayBookDay& d : days)
        first.push_back(first.back() + d.lines);
    beginResetModel();
    m_db = &db;
    m_fyId = fyId;
    m_days = std::move(days);
    m_firstRow = std::move(first);
    endResetModel();
    return totals;
}

void DayBookModel::clear()
{
    beginResetModel();
    m_db = nullptr;
    m_days.clear();
    m_firstRow.assign(1, 0);
    m_kept.clear();
    endResetModel();
}

const DayBookModel::Kept& DayBookModel::dayLines(std::size_t day) const
{
    const auto it = std::find_if(m_kept.begin(), m_kept.end(), [day](const Kept& k) { return k.day == day; });
    if (it != m_kept.end()) {
        m_kept.splice(m_kept.begin(), m_kept, it);
        return m_kept.front();
    }
    ++m_dayReads;
    Kept k{day, readDayBookDay(*m_db, m_fyId, m_days[day].day)};
    if (m_kept.size() >= kKeptDays)
        m_kept.pop_back();
    m_kept.push_front(std::move(k));
    return m_kept.front();
}

const DayBookLine& DayBookModel::line(int row) const
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("The day book lists no row " + std::to_string(row) + ".");
    const auto after = std::upper_bound(m_firstRow.begin(), m_firstRow.end(), std::int64_t{row});
    const auto day = static_cast<std::size_t>(after - m_firstRow.begin() - 1);
    const Kept& k = dayLines(day);
    const auto at = static_cast<std::size_t>(row - m_firstRow[day]);
    // A voucher written since the days were counted can change a day's lines;
    // the count stays as listed until the next build.
    if (at >= k.lines.size())
        throw std::out_of_range("The day " + m_days[day].day + " has fewer lines than were counted.");
    return k.lines[at];
}

int DayBookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_firstRow.back());
}

int DayBookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DayBookModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool amount = index.column() == Debit || index.column() == Credit;
        return QVariant::fromValue(Qt::Alignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole)
        return {};
    const DayBookLine* l = nullptr;
    try {
        l = &line(index.row());
    } catch (const std::exception&) {
        // Drawing cannot report: a day that cannot be read shows empty cells,
        // and the next Display tells the failure.
        return QString();
    }
    switch (index.column()) {
    case TranNo:
        return QString::fromStdString(l->tranRefShort);
    case Date: {
        const auto date = platform::parseIsoDate(l->tranDate);
        return date ? platform::formatDate(*date, "dd-MM-yy") : QString::fromStdString(l->tranDate);
    }
    case AccCode:
        return QString::number(l->accCode);
    case AccName:
        return QString::fromStdString(l->accName);
    case Description:
        return QString::fromStdString(l->desc);
    case Debit:
        return platform::formatMoneyQ(l->debit, kAmount);
    case Credit:
        return platform::formatMoneyQ(l->credit, kAmount);
    default:
        return {};
    }
}

QVariant DayBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TranNo: return QStringLiteral("   Tran. No.");
    case Date: return QStringLiteral("      Date");
    case AccCode: return QStringLiteral("Account Code");
    case AccName: return QStringLiteral("Account Name");
    case Description: return QStringLiteral("Description");
    case Debit: return QStringLiteral("          Debit");
    case Credit: return QStringLiteral("          Credit");
    default: return {};
    }
}

} // namespace ledgers
