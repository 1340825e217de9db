// Test support for the opening balances' export and import: a delivered
// database with a small chart over balance-sheet and income-statement types
// and a second year, vouchers written by hand, the signed-in main window and
// the opening-balance window, with its exports captured.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QStringList>

#include "accounts/opening_balances.h"
#include "main/parent.h"
#include "tests/support/export_capture.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"

class QPushButton;

namespace testing_support {

namespace ob {
inline constexpr std::int64_t Cash = 20001001;      // current assets
inline constexpr std::int64_t Bank = 20001002;
inline constexpr std::int64_t Petty = 20001003;     // named "=Petty Cash"
inline constexpr std::int64_t Capital = 30001001;   // capital
inline constexpr std::int64_t Loan = 45001001;      // current liabilities
inline constexpr std::int64_t Sales = 50001001;     // sales: the income statement
inline constexpr std::int64_t Rent = 75001001;      // operating expenses: the income statement
inline constexpr int kFirstYear = 1;                // "2026-27", July 1, 2026 to June 30, 2027
inline constexpr int kSecondYear = 2;               // "2027-28"
} // namespace ob

struct ObLine {
    std::int64_t acc = 0;
    std::optional<std::int64_t> debit;    // cents; empty: null
    std::optional<std::int64_t> credit;
};

// The database alone: the chart, the two years and vouchers by hand.
class OpeningBook {
public:
    OpeningBook();

    // Writes a general-journal voucher of year `fyId` with `lines`; returns its TranNo.
    std::int64_t voucher(int fyId, const char* isoDate, const std::vector<ObLine>& lines, bool posted = true,
                         bool cancelled = false);
    // Adds `lines` to year `fyId`'s opening-balance voucher.
    void openingLines(int fyId, const std::vector<ObLine>& lines);
    // The stored lines of year `fyId`'s opening-balance voucher by serial,
    // "code:debit:credit" in cents, an empty text for null.
    QStringList storedLines(int fyId);

    TestDatabase t;

private:
    int m_docNo = 0;
};

// The book with the main window and the opening-balance window on it; sets
// the seams of today (December 10, 2026), the screen and modal windows.
class OpeningWindow : public OpeningBook {
public:
    OpeningWindow();
    ~OpeningWindow();

    // Signs the main window into year `fyId` and opens the opening-balance
    // window on it, shown and active.
    accounts::OpeningBalancesAcc& open(int fyId = ob::kFirstYear);
    QPushButton* button(const char* name) const;

    std::unique_ptr<app::Parent> main;
    std::unique_ptr<accounts::OpeningBalancesAcc> w;
    MessageRecorder messages;
    ExportCapture exports;
};

} // namespace testing_support
