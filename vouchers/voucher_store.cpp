// Voucher SQL: every value bound, yes/no as 0 and 1, amounts as cents, dates ISO.
#include "vouchers/voucher_store.h"

#include <unordered_set>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace vouchers {
namespace {

platform::Value moneyValue(const std::optional<platform::Money>& m)
{
    return m ? platform::Value{m->cents()} : platform::Value{};
}

std::optional<platform::Money> moneyOf(const platform::Value& v)
{
    // A null amount is an empty cell, not a zero: the grid shows the two apart.
    if (const auto cents = v.asInt())
        return platform::Money::fromCents(*cents);
    return std::nullopt;
}

void bindLine(platform::Statement& st, std::int64_t tranNo, const accounts::SubTranRow& line)
{
    st.reset();
    st.bind(1, tranNo)
        .bind(2, line.accCode ? platform::Value{*line.accCode} : platform::Value{})
        .bind(3, line.accName.toStdString())
        .bind(4, line.desc.toStdString())
        .bind(5, moneyValue(line.debit))
        .bind(6, moneyValue(line.credit));
}

constexpr const char* kInsertLine =
    "INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit) VALUES (?, ?, ?, ?, ?, ?)";

} // namespace

std::optional<std::int64_t> highestDocNo(platform::Database& db, KindYear kind)
{
    return db.scalar("SELECT MAX(DocNo) FROM Transactions WHERE TranType = ? AND FYID = ?",
                     {kind.tranType, kind.fyId})
        .asInt();
}

bool hasVouchers(platform::Database& db, KindYear kind)
{
    return !db.scalar("SELECT 1 FROM Transactions WHERE TranType = ? AND FYID = ? LIMIT 1",
                      {kind.tranType, kind.fyId})
                .isNull();
}

bool docNoTaken(platform::Database& db, KindYear kind, std::int64_t docNo, std::int64_t exceptTranNo)
{
    return !db.scalar("SELECT 1 FROM Transactions WHERE TranType = ? AND FYID = ? AND DocNo = ? AND TranNo <> ?",
                      {kind.tranType, kind.fyId, docNo, exceptTranNo})
                .isNull();
}

std::optional<std::int64_t> browse(platform::Database& db, KindYear kind, Step step, std::int64_t from)
{
    switch (step) {
    case Step::First:
        return db.scalar("SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = ? ORDER BY DocNo LIMIT 1",
                         {kind.tranType, kind.fyId})
            .asInt();
    case Step::Last:
        return db.scalar("SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = ?"
                         " ORDER BY DocNo DESC LIMIT 1",
                         {kind.tranType, kind.fyId})
            .asInt();
    case Step::Previous:
        return db.scalar("SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = ? AND DocNo < ?"
                         " ORDER BY DocNo DESC LIMIT 1",
                         {kind.tranType, kind.fyId, from})
            .asInt();
    case Step::Next:
        return db.scalar("SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = ? AND DocNo > ?"
                         " ORDER BY DocNo LIMIT 1",
                         {kind.tranType, kind.fyId, from})
            .asInt();
    }
    return std::nullopt;
}

std::vector<Job> openJobs(platform::Database& db)
{
    std::vector<Job> jobs;
    platform::Statement st{db, "SELECT JobID, JobNo, JobDesc FROM Jobs WHERE Status = 0 ORDER BY JobNo, JobID"};
    while (st.step())
        jobs.push_back({st.columnInt64(0), jobText(st.column(1).toText(), st.column(2).toText())});
    return jobs;
}

bool voucherExists(platform::Database& db, KindYear kind, std::int64_t tranNo)
{
    return !db.scalar("SELECT 1 FROM Transactions WHERE TranNo = ? AND TranType = ? AND FYID = ?",
                      {tranNo, kind.tranType, kind.fyId})
                .isNull();
}

std::optional<StoredVoucher> loadVoucher(platform::Database& db, KindYear kind, std::int64_t tranNo)
{
    platform::Statement head{db,
                             "SELECT TranNo, DocNo, TranDate, \"Desc\", JobID, Cancel, Posted FROM Transactions"
                             " WHERE TranNo = ? AND TranType = ? AND FYID = ?"};
    head.bindAll({tranNo, kind.tranType, kind.fyId});
    if (!head.step())
        return std::nullopt;
    StoredVoucher v;
    v.tranNo = head.columnInt64(0);
    v.docNo = head.columnInt64(1);
    v.date = platform::parseIsoDate(head.column(2).toText()).value_or(QDate{});
    v.desc = head.column(3).toText();
    v.jobId = head.columnInt64(4);   // NOT NULL in the schema
    v.cancelled = head.columnInt64(5) == 1;
    v.posted = head.columnInt64(6) == 1;

    platform::Statement lines{db,
                              "SELECT Serial, AccCode, AccName, \"Desc\", Debit, Credit FROM SubTransactions"
                              " WHERE TranNo = ? ORDER BY Serial"};
    lines.bindAll({tranNo});
    while (lines.step()) {
        accounts::SubTranRow line;
        line.serial = lines.columnInt64(0);
        line.accCode = lines.column(1).asInt();
        line.accName = QString::fromStdString(lines.column(2).toText());
        line.desc = QString::fromStdString(lines.column(3).toText());
        line.debit = moneyOf(lines.column(4));
        line.credit = moneyOf(lines.column(5));
        v.lines.push_back(std::move(line));
    }
    return v;
}

std::int64_t insertVoucher(platform::Transaction& tx, KindYear kind, const VoucherHeader& h,
                           const std::vector<accounts::SubTranRow>& lines)
{
    platform::Database& db = tx.db();
    const std::string when = platform::isoDateTime(h.when);
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID,"
            " UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {h.docNo, platform::isoDate(h.date), h.desc, kind.tranType, h.amount.cents(), h.words, h.jobId,
             kind.fyId, h.user, when, h.user, when, h.cancelled ? 1 : 0, h.posted ? 1 : 0});
    const std::int64_t tranNo = db.lastInsertId();
    platform::Statement insert{db, kInsertLine};
    for (const auto& line : lines) {
        bindLine(insert, tranNo, line);
        insert.run();
    }
    return tranNo;
}

bool updateVoucher(platform::Transaction& tx, KindYear kind, std::int64_t tranNo, const VoucherHeader& h,
                   const std::vector<accounts::SubTranRow>& lines)
{
    platform::Database& db = tx.db();
    const int changed = db.exec(
        "UPDATE Transactions SET DocNo = ?, TranDate = ?, \"Desc\" = ?, TrAmount = ?, WordsAmt = ?, JobID = ?,"
        " UserEdited = ?, TimeEdited = ?, Cancel = ?, Posted = ?"
        " WHERE TranNo = ? AND TranType = ? AND FYID = ?",
        {h.docNo, platform::isoDate(h.date), h.desc, h.amount.cents(), h.words, h.jobId, h.user,
         platform::isoDateTime(h.when), h.cancelled ? 1 : 0, h.posted ? 1 : 0, tranNo, kind.tranType,
         kind.fyId});
    if (changed == 0)
        return false;

    std::unordered_set<std::int64_t> stored;
    {
        platform::Statement st{db, "SELECT Serial FROM SubTransactions WHERE TranNo = ?"};
        st.bindAll({tranNo});
        while (st.step())
            stored.insert(st.columnInt64(0));
    }
    // Lines that were stored keep their serial, and so their place; new ones
    // are numbered by the database after them, as they were entered.
    platform::Statement update{db,
                               "UPDATE SubTransactions SET TranNo = ?, AccCode = ?, AccName = ?, \"Desc\" = ?,"
                               " Debit = ?, Credit = ? WHERE Serial = ?"};
    platform::Statement insert{db, kInsertLine};
    for (const auto& line : lines) {
        if (line.serial != 0 && stored.erase(line.serial) == 1) {
            bindLine(update, tranNo, line);
            update.bind(7, line.serial);
            update.run();
        } else {
            bindLine(insert, tranNo, line);
            insert.run();
        }
    }
    platform::Statement remove{db, "DELETE FROM SubTransactions WHERE Serial = ?"};
    for (const std::int64_t serial : stored) {
        remove.reset();
        remove.bind(1, serial);
        remove.run();
    }
    return true;
}

bool deleteVoucher(platform::Transaction& tx, KindYear kind, std::int64_t tranNo)
{
    return tx.db().exec("DELETE FROM Transactions WHERE TranNo = ? AND TranType = ? AND FYID = ?",
                        {tranNo, kind.tranType, kind.fyId})
           > 0;
}

} // namespace vouchers
