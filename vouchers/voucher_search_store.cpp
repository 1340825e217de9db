// Voucher search SQL: fixed pieces joined in order, every value bound.
#include "vouchers/voucher_search_store.h"

#include "platform/text/formats.h"

namespace vouchers {

std::vector<ListedVoucher> listVouchers(platform::Database& db, KindYear kind, const SearchCriteria& c)
{
    // Every piece is served by the unique index on (TranType, FYID, DocNo): the
    // kind's vouchers of the year are one range of it, already in number order.
    std::string sql = "SELECT TranNo, DocNo, TranDate, ";
    sql += c.descPart ? "\"Desc\"" : "NULL";
    sql += " FROM Transactions WHERE TranType = ? AND FYID = ?";
    platform::Params params{kind.tranType, kind.fyId};
    if (c.docNo) {
        sql += " AND DocNo = ?";
        params.emplace_back(*c.docNo);
    }
    if (c.from && c.to) {
        sql += " AND TranDate >= ? AND TranDate <= ?";
        params.emplace_back(platform::isoDate(*c.from));
        params.emplace_back(platform::isoDate(*c.to));
    }
    if (c.descPart) {
        sql += " AND \"Desc\" LIKE ? ESCAPE '\\'";
        params.emplace_back(containsPattern(c.descPart->toStdString()));
    }
    if (c.amount) {
        sql += " AND TrAmount = ?";
        params.emplace_back(c.amount->cents());
    }
    if (c.posted) {
        sql += " AND Posted = ?";
        params.emplace_back(*c.posted ? 1 : 0);
    }
    if (c.cancelled) {
        sql += " AND Cancel = ?";
        params.emplace_back(*c.cancelled ? 1 : 0);
    }
    sql += " ORDER BY DocNo";

    platform::Statement st(db, sql);
    st.bindAll(params);
    std::vector<ListedVoucher> rows;
    while (st.step()) {
        // The pattern lets through what LIKE cannot judge: letters outside the Latin alphabet.
        if (c.descPart && !descriptionContains(QString::fromStdString(st.column(3).toText()), *c.descPart))
            continue;
        rows.push_back({st.columnInt64(0), st.columnInt64(1), st.column(2).toText()});
    }
    return rows;
}

VoucherDetailsReader::VoucherDetailsReader(platform::Database& db)
    : m_read(db,
             "SELECT t.TranNo, t.DocNo, t.TranDate, t.\"Desc\", t.TrAmount, t.Posted, t.Cancel,"
             " added.UserName, t.TimeAdded, edited.UserName, t.TimeEdited"
             " FROM Transactions AS t"
             " LEFT JOIN Users AS added ON added.UserID = t.UserAdded"
             " LEFT JOIN Users AS edited ON edited.UserID = t.UserEdited"
             " WHERE t.TranNo = ?")
{
}

std::optional<VoucherDetails> VoucherDetailsReader::read(std::int64_t tranNo)
{
    m_read.reset();
    m_read.bind(1, tranNo);
    if (!m_read.step())
        return std::nullopt;
    VoucherDetails d;
    d.tranNo = m_read.columnInt64(0);
    d.docNo = m_read.columnInt64(1);
    d.date = platform::parseIsoDate(m_read.column(2).toText()).value_or(QDate{});
    d.desc = m_read.column(3).toText();
    d.amount = platform::Money::fromCents(m_read.columnInt64(4));   // NOT NULL in the schema
    d.posted = m_read.columnInt64(5) != 0;
    d.cancelled = m_read.columnInt64(6) != 0;
    d.addedBy = m_read.column(7).toText();
    d.timeAdded = m_read.column(8).toText();
    d.editedBy = m_read.column(9).toText();
    d.timeEdited = m_read.column(10).toText();
    m_read.reset();   // releases the read lock between calls
    return d;
}

} // namespace vouchers
