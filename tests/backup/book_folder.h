// Test support for the back-up program: a working folder of its own with a
// delivered book in DB/ and a few vouchers, and ways to look at files without
// keeping a connection open (a test compares the book byte for byte).
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

namespace backup_testing {

class BookFolder {
public:
    // A fresh folder holding DB/tamselstd.MDB with `vouchers` vouchers of two lines each.
    explicit BookFolder(int vouchers = 3);
    ~BookFolder();
    BookFolder(const BookFolder&) = delete;
    BookFolder& operator=(const BookFolder&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path book() const { return m_root / "DB" / "tamselstd.MDB"; }
    std::filesystem::path dbFolder() const { return m_root / "DB"; }
    // Adds `n` more vouchers to the book (a connection opened and closed again).
    void addVouchers(int n);

private:
    std::filesystem::path m_root;
    int m_docNo = 0;
};

// The whole content of a file ("" when it is missing).
std::string bytesOf(const std::filesystem::path& file);
// The names of the files in `folder`.
std::set<std::string> filesIn(const std::filesystem::path& folder);
// The vouchers in the book at `file`, through a connection opened and closed.
std::int64_t vouchersIn(const std::filesystem::path& file);
// Every row of every table of the book at `file`, as text, table by table in
// name order and rows sorted: two books with equal text hold the same data.
std::string rowsOf(const std::filesystem::path& file);

} // namespace backup_testing
