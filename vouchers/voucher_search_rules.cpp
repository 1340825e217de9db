// The voucher search rules: the kinds' search texts, the checks of "FInd" and the sorts.
#include "vouchers/voucher_search_rules.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <tuple>

#include "vouchers/voucher_rules.h"

namespace vouchers {
namespace {

// The captions are as the windows have always shown them, the journal's included.
constexpr std::array kSearchTexts = {
    SearchTexts{41, "FindGJV", "Find Genral Journal", "General Journal Vouchers"},
    SearchTexts{21, "FindPV", "Find Purchase Voucher", "Purchase Vouchers"},
    SearchTexts{25, "FindPRV", "Find Purchase Return Voucher", "Purchase Return Vouchers"},
    SearchTexts{31, "FindSV", "Find Sale Voucher", "Sale Vouchers"},
    SearchTexts{35, "FindSRV", "Find Sale Return Voucher", "Sale Return Vouchers"},
    SearchTexts{28, "FindBPV", "Find Bank Payment Voucher", "Bank Payment Vouchers"},
    SearchTexts{38, "FindBRV", "Find Bank Receipt Voucher", "Bank Receipt Vouchers"},
    SearchTexts{27, "FindCPV", "Find Cash Payment Voucher", "Cash Payment Vouchers"},
    SearchTexts{37, "FindCRV", "Find Cash Receipt Voucher", "Cash Receipt Vouchers"},
};

forms::Problem cannotFind(const char* message, const char* focus)
{
    return {QStringLiteral("Cannot Find"), QString::fromUtf8(message), QString::fromUtf8(focus)};
}

} // namespace

const SearchTexts& searchTexts(int tranType)
{
    for (const auto& texts : kSearchTexts)
        if (texts.tranType == tranType)
            return texts;
    throw std::invalid_argument("no voucher search for type code " + std::to_string(tranType));
}

SearchCheck checkSearch(const SearchInput& in)
{
    SearchCriteria c;
    if (in.byDocNo) {
        c.docNo = parseDocNo(in.docNo);
        if (!c.docNo)
            return {std::nullopt, cannotFind("Give correct voucher no. to find.", "VoucherNo")};
    }
    // A period that ends before it starts can find nothing; an empty list
    // would leave the user to guess why.
    if (in.byPeriod && in.from > in.to)
        return {std::nullopt, cannotFind("The ending date should be greater than the beginning date.", "Dt1")};
    if (in.byDesc) {
        if (in.desc.isEmpty())
            return {std::nullopt, cannotFind("Give a part of description to find.", "Desc")};
        c.descPart = in.desc;
    }
    if (in.byAmount) {
        c.amount = platform::Money::parse(in.amount);
        if (!c.amount)
            return {std::nullopt, cannotFind("Give amount in numeric to find.", "AmtBox")};
    }
    if (in.byPeriod) {
        c.from = in.from;
        c.to = in.to;
    }
    if (in.byPosted)
        c.posted = in.posted;
    if (in.byCancel)
        c.cancelled = in.cancelled;
    return {c, std::nullopt};
}

std::string containsPattern(std::string_view text)
{
    std::string pattern = "%";
    pattern.reserve(text.size() + 2);
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x80) {
            // A lead byte stands for its whole character; continuation bytes add nothing.
            if (byte >= 0xC0)
                pattern += '_';
            continue;
        }
        if (ch == '%' || ch == '_' || ch == '\\')
            pattern += '\\';
        pattern += ch;
    }
    pattern += '%';
    return pattern;
}

bool descriptionContains(const QString& desc, const QString& part)
{
    return desc.contains(part, Qt::CaseInsensitive);
}

std::optional<SearchOrder> orderOfColumn(int column)
{
    switch (column) {
    case 0:
        return SearchOrder::ByNumber;
    case 1:
        return SearchOrder::ByDate;
    default:
        return std::nullopt;
    }
}

void sortListed(std::vector<ListedVoucher>& rows, SearchOrder order)
{
    // Serial numbers are unique within a kind and year, so either order is total.
    if (order == SearchOrder::ByNumber)
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.docNo < b.docNo; });
    else
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return std::tie(a.date, a.docNo) < std::tie(b.date, b.docNo);
        });
}

} // namespace vouchers
