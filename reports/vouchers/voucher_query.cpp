// The voucher print query in SQLite; every value bound.
#include "reports/vouchers/voucher_query.h"

#include <string>
#include <utility>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace reports {
namespace {

// Both levels read the vouchers that `where` picks (with `params`): the lines
// only of those vouchers, so a print never fetches the whole book.
platform::Hierarchy openPrint(platform::Database& db, const QString& currencyName, const std::string& where,
                              const platform::Params& params)
{
    platform::Params headerParams{currencyName.toStdString()};
    headerParams.insert(headerParams.end(), params.begin(), params.end());
    // A null amount counts as zero, in the choice of lines and in their order
    // alike: a credit line whose debit is 0 and one whose debit is empty sort
    // together. Serial only breaks ties, so that a print comes out the same
    // every time.
    return platform::Hierarchy::open(
        db, {{kVoucherHeaders,
              "SELECT TranNo, DocNo, TranDate, \"Desc\", ? || ' ' || COALESCE(WordsAmt, '') AS WordsAmt,"
              " TranType, Cancel, Posted FROM Transactions WHERE "
                  + where + " ORDER BY DocNo, TranNo",
              std::move(headerParams), "", ""},
             {kVoucherLines,
              "SELECT Serial, AccCode, AccName, TranNo, \"Desc\", Debit, Credit FROM SubTransactions"
              " WHERE TranNo IN (SELECT TranNo FROM Transactions WHERE "
                  + where
                  + ") AND (COALESCE(Debit, 0) <> 0 OR COALESCE(Credit, 0) <> 0)"
                    " ORDER BY TranNo, COALESCE(Debit, 0) DESC, COALESCE(Credit, 0) DESC, Serial",
              params, "TranNo", "TranNo"}});
}

} // namespace

platform::Hierarchy openVoucherPrint(platform::Database& db, const QString& currencyName, std::int64_t tranNo)
{
    return openPrint(db, currencyName, "TranNo = ?", {tranNo});
}

platform::Hierarchy openVoucherBatch(platform::Database& db, const QString& currencyName, const VoucherBatch& batch)
{
    std::string where = "TranType = ? AND FYID = ?";
    platform::Params params{batch.tranType, batch.fyId};
    switch (batch.criterion) {
    case BatchCriterion::AllRecords:
        break;
    case BatchCriterion::DateRange:
        where += " AND TranDate >= ? AND TranDate <= ?";
        params.emplace_back(platform::isoDate(batch.dateFrom));
        params.emplace_back(platform::isoDate(batch.dateTo));
        break;
    case BatchCriterion::SerialRange:
        where += " AND DocNo >= ? AND DocNo <= ?";
        params.emplace_back(batch.serialFrom);
        params.emplace_back(batch.serialTo);
        break;
    }
    return openPrint(db, currencyName, where, params);
}

} // namespace reports
