// The back-up program's test folders, made with the delivered database and
// vouchers of plain SQL.
#include "tests/backup/book_folder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <unistd.h>

#include "db/delivered.h"
#include "platform/data/database.h"
#include "tests/vouchers/book.h"

namespace fs = std::filesystem;

namespace backup_testing {

BookFolder::BookFolder(int vouchers)
{
    static std::atomic<int> counter{0};
    m_root = fs::temp_directory_path() / ("stowkeep-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "DB");
    db::writeDeliveredFile(book().string(), "2026-12-10", "2026-12-10 09:00:00");
    {
        platform::Database db = platform::Database::open(book().string());
        book::addChartAndYear(db);
    }
    addVouchers(vouchers);
}

BookFolder::~BookFolder()
{
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void BookFolder::addVouchers(int n)
{
    platform::Database db = platform::Database::open(book().string());
    platform::Transaction tx(db);
    for (int i = 0; i < n; ++i) {
        const auto tranNo = book::addVoucher(db, 41, 1, ++m_docNo, 1);
        book::addLine(db, tranNo, book::kCash, 1000 + m_docNo, -1);
        book::addLine(db, tranNo, book::kRent, -1, 1000 + m_docNo);
        // A voucher's amount is the sum of its debits, as a voucher form saves it.
        db.exec("UPDATE Transactions SET TrAmount = ? WHERE TranNo = ?", {1000 + m_docNo, tranNo});
    }
    tx.commit();
}

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::int64_t vouchersIn(const fs::path& file)
{
    platform::Database db = platform::Database::openUnchecked(file.string(), platform::Database::Access::ReadOnly);
    return db.scalar("SELECT COUNT(*) FROM Transactions WHERE TranType = 41").toInt();
}

std::string rowsOf(const fs::path& file)
{
    platform::Database db = platform::Database::openUnchecked(file.string(), platform::Database::Access::ReadOnly);
    std::vector<std::string> tables;
    {
        platform::Statement names(db, "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"
                                      " ORDER BY name");
        while (names.step())
            tables.push_back(names.column(0).toText());
    }
    std::string text;
    for (const auto& table : tables) {
        text += "[" + table + "]\n";
        // Sorted here: some tables have no rowid to order by.
        std::vector<std::string> lines;
        platform::Statement rows(db, "SELECT * FROM \"" + table + "\"");
        while (rows.step()) {
            std::string line;
            for (int c = 0; c < rows.columnCount(); ++c)
                line += rows.column(c).toText() + "|";
            lines.push_back(line);
        }
        std::sort(lines.begin(), lines.end());
        for (const auto& line : lines)
            text += line + "\n";
    }
    return text;
}

} // namespace backup_testing
