// The day book's grid rows over a period of any length: the days with their
// counts and sums are read at once, a day's lines only when one of its rows is
// asked for (drawn, made current or printed), and only a few days are kept.
// The columns and formats are those the window shows.
#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QDate>

#include "ledgers/day_book_store.h"
#include "platform/text/money.h"

namespace platform { class Database; }

namespace ledgers {

class DayBookModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TranNo, Date, AccCode, AccName, Description, Debit, Credit, ColumnCount };

    explicit DayBookModel(QObject* parent = nullptr);

    // Lists the lines of year `fyId` from `from` to `to` on `db`, which must
    // outlive the model or the next clear(). Reads the days only; returns their
    // totals. Throws platform::DbError (the model is then empty), and
    // std::overflow_error when a sum does not fit.
    DayBookTotals open(platform::Database& db, int fyId, const QDate& from, const QDate& to);
    // Lists nothing and lets go of the database.
    void clear();

    // The line of `row`, reading its day when it is not kept. Throws
    // platform::DbError and std::out_of_range for a row not listed.
    const DayBookLine& line(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display texts: the short reference, the date "dd-MM-yy", the code, the
    // name, the description and the amounts "0.00;(0.00)". A day that cannot
    // be read shows empty cells.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // How many days' lines are kept at most, and how many reads of a day the
    // model has made (for the tests of its laziness).
    static constexpr std::size_t kKeptDays = 8;
    std::int64_t dayReads() const { return m_dayReads; }

private:
    struct Kept {
        std::size_t day;
        std::vector<DayBookLine> lines;
    };
    const Kept& dayLines(std::size_t day) const;

    platform::Database* m_db = nullptr;
    int m_fyId = 0;
    std::vector<DayBookDay> m_days;
    std::vector<std::int64_t> m_firstRow;   // of each day; one more entry: the row count
    mutable std::list<Kept> m_kept;         // most recently used first
    mutable std::int64_t m_dayReads = 0;
};

} // namespace ledgers
