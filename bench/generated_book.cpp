// The book generator. Chart: the natures' main types with sub types of each,
// the accounts spread over the sub types. Vouchers: each kind moves money the
// way its kind does (a purchase debits stock or expenses and credits a
// supplier, a cash receipt debits cash, ...), with 2 to 6 lines that balance.
#include "bench/generated_book.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace bench {
namespace {

struct MainType {
    int typeId;
    int natureId;
    const char* name;
    std::vector<const char*> subTypes;
};

// Main types inside their natures' code ranges, as a small trading business has them.
const std::vector<MainType> kMainTypes = {
    {101, 10, "Property, Plant and Equipment", {"Land and Buildings", "Vehicles", "Furniture and Fittings",
                                               "Office Equipment", "Computers"}},
    {201, 20, "Cash and Bank", {"Cash in Hand", "Current Accounts", "Savings Accounts"}},
    {202, 20, "Trade Receivables", {"Local Customers", "Export Customers", "Staff Advances"}},
    {203, 20, "Stock in Trade", {"Finished Goods", "Raw Materials", "Packing Materials"}},
    {301, 30, "Share Capital and Reserves", {"Paid-up Capital", "Retained Earnings"}},
    {401, 35, "Long-term Financing", {"Bank Loans", "Leases"}},
    {451, 36, "Trade and Other Payables", {"Local Suppliers", "Import Suppliers", "Accrued Liabilities",
                                           "Taxes Payable"}},
    {501, 40, "Sales", {"Local Sales", "Export Sales", "Service Income"}},
    {601, 45, "Other Income", {"Profit on Deposits", "Scrap Sales"}},
    {651, 50, "Cost of Sales", {"Purchases", "Freight Inwards", "Direct Wages"}},
    {751, 55, "Administrative Expenses", {"Salaries", "Rent, Rates and Taxes", "Utilities", "Travelling",
                                          "Printing and Stationery", "Repairs and Maintenance"}},
    {752, 55, "Selling Expenses", {"Advertisement", "Carriage Outwards", "Commission"}},
    {901, 60, "Financial Charges", {"Bank Charges", "Mark-up on Loans"}},
};

// Where each kind takes its debit and credit accounts from (main types).
struct KindFlow {
    int tranType;
    const char* shortName;
    std::vector<int> debitTypes;
    std::vector<int> creditTypes;
};
const std::vector<KindFlow> kFlows = {
    {21, "PV", {651, 203}, {451}},          // purchase
    {25, "PRV", {451}, {651, 203}},         // purchase return
    {27, "CPV", {751, 752, 451, 651}, {201}},   // cash payment
    {28, "BPV", {451, 751, 901, 401}, {201}},   // bank payment
    {31, "SV", {202}, {501}},               // sale
    {35, "SRV", {501}, {202}},              // sale return
    {37, "CRV", {201}, {202, 601}},         // cash receipt
    {38, "BRV", {201}, {202, 601}},         // bank receipt
    {41, "JV", {751, 752, 101, 203}, {451, 301, 203, 101}},   // general journal
};

struct Account {
    std::int64_t code;
    int typeId;
    std::int64_t level2;
};

std::string decimal(std::int64_t cents)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>((cents < 0 ? -cents : cents) / 100),
                  static_cast<long long>((cents < 0 ? -cents : cents) % 100));
    return text;
}

class Writer {
public:
    Writer(platform::Database& db, std::ostream* journal, const std::map<std::int64_t, std::string>& journalNames)
        : m_journal(journal)
        , m_names(journalNames)
        , m_voucher(db,
                    "INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID,"
                    " UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?, 1, 1, ?, 1, ?, ?, ?)")
        , m_line(db,
                 "INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit, Balance, Status)"
                 " VALUES (?, ?, ?, ?, ?, ?, 0, '')")
        , m_db(db)
    {
    }

    struct Line {
        std::int64_t code;
        std::int64_t debit;    // cents, 0: none
        std::int64_t credit;
    };

    // Writes the lines on voucher `tranNo`, or on a new voucher (charged to
    // `jobId`, 0 for none) when it is 0.
    void write(std::int64_t tranNo, int tranType, const char* shortName, std::int64_t docNo, const std::string& date,
               bool counted, bool cancelled, const std::vector<Line>& lines, std::int64_t jobId = 0)
    {
        std::int64_t total = 0;
        for (const Line& l : lines)
            total += l.debit;
        if (tranNo == 0) {
            const std::string stamp = date + " 10:00:00";
            m_voucher.reset();
            m_voucher.bindAll({docNo, date, "Generated voucher", tranType, total, "Generated amount only.", jobId,
                               stamp, stamp, cancelled ? 1 : 0, counted || cancelled ? 1 : 0})
                .run();
            tranNo = m_db.lastInsertId();
        }
        for (const Line& l : lines) {
            m_line.reset();
            m_line.bindAll({tranNo, l.code, "Account " + std::to_string(l.code),
                            "Being the amount of goods and services as per bill",
                            l.debit ? platform::Value(l.debit) : platform::Value(),
                            l.credit ? platform::Value(l.credit) : platform::Value()})
                .run();
        }
        if (m_journal) {
            *m_journal << date << (counted ? " * " : " ! ") << shortName << ' ' << docNo << '\n';
            for (const Line& l : lines)
                *m_journal << "    " << m_names.at(l.code) << "  " << decimal(l.debit - l.credit) << '\n';
            *m_journal << '\n';
        }
    }

private:
    std::ostream* m_journal;
    const std::map<std::int64_t, std::string>& m_names;
    platform::Statement m_voucher;
    platform::Statement m_line;
    platform::Database& m_db;
};

} // namespace

GeneratedBook generateBook(platform::Database& db, const BookSpec& spec, std::ostream* journal)
{
    std::mt19937_64 rnd(spec.seed);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rnd() % n); };

    GeneratedBook book;
    {
        platform::Statement year(db, "SELECT FinancialYearStart, FinancialYearEnd FROM FinancialYear WHERE FYID = 1");
        year.step();
        book.yearStart = *platform::parseIsoDate(year.column(0).toText());
        book.yearEnd = *platform::parseIsoDate(year.column(1).toText());
    }

    platform::Transaction tx(db);
    platform::Statement l1(db, "INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, ?, ?)");
    platform::Statement l2(db, "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, ?, ?)");
    platform::Statement l3(db, "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, ?, ?)");
    std::vector<std::pair<std::int64_t, int>> subTypes;   // Level2ID, TypeID
    for (const MainType& m : kMainTypes) {
        l1.reset();
        l1.bindAll({m.typeId, m.name, m.natureId}).run();
        for (std::size_t k = 0; k < m.subTypes.size(); ++k) {
            const std::int64_t id = m.typeId * 100 + static_cast<std::int64_t>(k) + 1;
            l2.reset();
            l2.bindAll({id, m.subTypes[k], m.typeId}).run();
            subTypes.push_back({id, m.typeId});
        }
    }
    std::vector<Account> accounts;
    std::map<int, std::vector<std::size_t>> byType;   // TypeID -> indexes into accounts
    std::map<std::int64_t, std::string> journalNames;
    std::map<std::int64_t, int> perSubType;
    for (int i = 0; i < spec.accounts; ++i) {
        const auto& [level2, typeId] = subTypes[static_cast<std::size_t>(i) % subTypes.size()];
        const std::int64_t code = level2 * 1000 + ++perSubType[level2];
        l3.reset();
        l3.bindAll({code, "Account " + std::to_string(code), typeId, level2}).run();
        byType[typeId].push_back(accounts.size());
        accounts.push_back({code, typeId, level2});
        journalNames[code] = std::to_string(typeId) + ":" + std::to_string(level2) + ":" + std::to_string(code);
    }
    for (const Account& a : accounts)
        book.codes.push_back(a.code);
    std::sort(book.codes.begin(), book.codes.end());
    // The busiest account: a current account at the bank, on one line in fifty.
    book.busiest = accounts[byType[201][1 % byType[201].size()]].code;

    // The job register, with a stream of its own that decides which vouchers carry a job.
    platform::Statement addJob(db, "INSERT INTO Jobs (JobNo, JobDate, JobDesc, CustomerName, EstimatedCost, ValueofWork,"
                                   " Status) VALUES (?, ?, ?, ?, ?, ?, 0)");
    std::mt19937_64 jobRnd(spec.seed ^ 0x4A4F4253);
    for (int j = 1; j <= kJobs; ++j) {
        addJob.reset();
        addJob.bindAll({j, platform::isoDate(book.yearStart), "Generated job " + std::to_string(j),
                        "Customer " + std::to_string(j), std::int64_t{100'000'00} * j, std::int64_t{120'000'00} * j})
            .run();
        book.jobs.push_back(db.lastInsertId());
    }
    auto jobOfNext = [&]() -> std::int64_t {
        if (static_cast<int>(jobRnd() % 1000) >= kJobVouchersPerMille)
            return 0;
        return book.jobs[static_cast<std::size_t>(jobRnd() % book.jobs.size())];
    };

    Writer writer(db, journal, journalNames);
    if (journal)
        *journal << "; Generated book: " << spec.accounts << " accounts, about " << spec.lines
                 << " lines, seed " << spec.seed << ".\n; Unposted and cancelled vouchers are pending (!).\n\n";

    // The opening balances: the balance-sheet accounts in pairs, on the
    // delivered opening-balance voucher (TranNo 1), up to a tenth of the lines.
    std::vector<Writer::Line> opening;
    std::vector<std::int64_t> sheet;
    for (const Account& a : accounts)
        if (a.typeId < 500)
            sheet.push_back(a.code);
    for (std::size_t i = 0; i + 1 < sheet.size() && static_cast<int>(opening.size()) + 2 <= spec.lines / 10; i += 2) {
        const std::int64_t amount = 1000 + static_cast<std::int64_t>(pick(10'000'000));
        opening.push_back({sheet[i], amount, 0});
        opening.push_back({sheet[i + 1], 0, amount});
    }
    const std::string openingDate = platform::isoDate(book.yearStart.addDays(-1));
    if (!opening.empty())
        writer.write(1, 11, "OB", 1, openingDate, true, false, opening);
    book.lines = static_cast<int>(opening.size());
    book.vouchers = 1;

    const int days = static_cast<int>(book.yearStart.daysTo(book.yearEnd)) + 1;
    std::map<int, std::int64_t> docNo;
    auto from = [&](const std::vector<int>& types) {
        const auto& list = byType[types[pick(types.size())]];
        return accounts[list[pick(list.size())]].code;
    };
    while (book.lines < spec.lines) {
        const KindFlow& flow = kFlows[pick(kFlows.size())];
        const int size = std::min(2 + static_cast<int>(pick(5)), spec.lines - book.lines);
        if (size < 2)
            break;
        // One to size-1 debit lines, the rest credits; the amounts balance.
        const int debits = 1 + static_cast<int>(pick(static_cast<std::size_t>(size - 1)));
        std::vector<Writer::Line> lines;
        std::int64_t total = 0;
        for (int k = 0; k < debits; ++k) {
            const std::int64_t amount = 100 + static_cast<std::int64_t>(pick(5'000'000));
            lines.push_back({from(flow.debitTypes), amount, 0});
            total += amount;
        }
        const int credits = size - debits;
        std::int64_t left = total;
        for (int k = 0; k < credits; ++k) {
            const std::int64_t amount = k + 1 == credits ? left : std::max<std::int64_t>(1, left / (credits - k));
            lines.push_back({from(flow.creditTypes), 0, amount});
            left -= amount;
        }
        // The busy bank account pays on about a third of the bank payments and
        // receives on about a third of the bank receipts: some 2% of the lines.
        if ((flow.tranType == 28 || flow.tranType == 38) && pick(100) < 36)
            (flow.tranType == 28 ? lines.back() : lines.front()).code = book.busiest;
        const bool cancelled = pick(100) < 2;
        const bool counted = !cancelled && pick(100) >= 3;
        const std::string date = platform::isoDate(book.yearStart.addDays(static_cast<qint64>(pick(static_cast<std::size_t>(days)))));
        const std::int64_t jobId = jobOfNext();
        book.jobVouchers += jobId != 0;
        writer.write(0, flow.tranType, flow.shortName, ++docNo[flow.tranType], date, counted, cancelled, lines, jobId);
        book.lines += size;
        ++book.vouchers;
    }
    tx.commit();
    return book;
}

} // namespace bench
