// VB-style number and date patterns, implemented here so that nothing depends
// on the machine's locale or on process-wide settings.
#include "platform/text/formats.h"

#include <array>
#include <cctype>
#include <stdexcept>

namespace platform {
namespace {

struct Section {
    std::string prefix;
    std::string suffix;
    bool grouping = false;
    int decimals = 0;
    int minIntDigits = 0;
};

Section parseSection(std::string_view s)
{
    Section sec;
    std::size_t start = s.find_first_of("#0.,");
    if (start == std::string_view::npos)
        throw std::invalid_argument("number pattern without digits");
    std::size_t end = start;
    while (end < s.size() && std::string_view("#0.,").find(s[end]) != std::string_view::npos)
        ++end;
    sec.prefix = std::string(s.substr(0, start));
    sec.suffix = std::string(s.substr(end));
    const std::string_view number = s.substr(start, end - start);
    const std::size_t point = number.find('.');
    const std::string_view intPart = number.substr(0, point);
    sec.grouping = intPart.find(',') != std::string_view::npos;
    for (char c : intPart)
        if (c == '0')
            ++sec.minIntDigits;
    if (point != std::string_view::npos) {
        for (char c : number.substr(point + 1))
            if (c == '0' || c == '#')
                ++sec.decimals;
    }
    if (sec.decimals > 2)
        throw std::invalid_argument("more than two decimal places");
    return sec;
}

std::string digitsOf(std::uint64_t cents, const Section& sec)
{
    std::uint64_t whole = cents / 100;
    std::uint64_t frac = cents % 100;
    if (sec.decimals == 0) {
        if (frac >= 50)
            ++whole;   // half away from zero, on the absolute value
    } else if (sec.decimals == 1) {
        frac = (frac + 5) / 10;
        if (frac == 10) {
            frac = 0;
            ++whole;
        }
    }
    std::string w = std::to_string(whole);
    if (whole == 0 && sec.minIntDigits == 0)
        w.clear();
    while (static_cast<int>(w.size()) < sec.minIntDigits)
        w.insert(w.begin(), '0');
    if (sec.grouping) {
        for (int i = static_cast<int>(w.size()) - 3; i > 0; i -= 3)
            w.insert(static_cast<std::size_t>(i), 1, ',');
    }
    if (sec.decimals > 0) {
        std::string f = std::to_string(frac);
        while (static_cast<int>(f.size()) < sec.decimals)
            f.insert(f.begin(), '0');
        w += '.';
        w += f;
    }
    return w;
}

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March", "April", "May", "June",
                                                 "July", "August", "September", "October", "November",
                                                 "December"};
constexpr std::array<const char*, 7> kDays = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                              "Friday", "Saturday", "Sunday"};

std::string twoDigits(int v)
{
    return (v < 10 ? "0" : "") + std::to_string(v);
}

} // namespace

std::string formatMoney(Money amount, std::string_view pattern)
{
    const std::size_t semi = pattern.find(';');
    const Section pos = parseSection(pattern.substr(0, semi));
    const bool negative = amount.cents() < 0;
    // The magnitude as unsigned, so the smallest int64 still formats.
    const std::uint64_t mag = negative ? std::uint64_t(0) - static_cast<std::uint64_t>(amount.cents())
                                       : static_cast<std::uint64_t>(amount.cents());
    if (!negative)
        return pos.prefix + digitsOf(mag, pos) + pos.suffix;
    if (semi == std::string_view::npos)
        return "-" + pos.prefix + digitsOf(mag, pos) + pos.suffix;
    const Section neg = parseSection(pattern.substr(semi + 1));
    return neg.prefix + digitsOf(mag, neg) + neg.suffix;
}

QString formatMoneyQ(Money amount, std::string_view pattern)
{
    return QString::fromStdString(formatMoney(amount, pattern));
}

QString formatDate(const QDate& date, std::string_view pattern)
{
    if (!date.isValid())
        return {};
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        std::size_t run = 1;
        while (i + run < pattern.size()
               && std::tolower(static_cast<unsigned char>(pattern[i + run])) == c)
            ++run;
        if (c == 'd') {
            if (run == 1)
                out += std::to_string(date.day());
            else if (run == 2)
                out += twoDigits(date.day());
            else if (run == 3)
                out += std::string(kDays[date.dayOfWeek() - 1]).substr(0, 3);
            else
                out += kDays[date.dayOfWeek() - 1];
        } else if (c == 'm') {
            if (run == 1)
                out += std::to_string(date.month());
            else if (run == 2)
                out += twoDigits(date.month());
            else if (run == 3)
                out += std::string(kMonths[date.month() - 1]).substr(0, 3);
            else
                out += kMonths[date.month() - 1];
        } else if (c == 'y' && (run == 2 || run == 4)) {
            const std::string y = std::to_string(date.year());
            out += run == 4 ? y : twoDigits(date.year() % 100);
        } else {
            out.append(pattern.substr(i, run));
        }
        i += run;
    }
    return QString::fromStdString(out);
}

std::string isoDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string isoDateTime(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

std::optional<QDate> parseIsoDate(std::string_view text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    auto num = [&](std::size_t from, std::size_t len) -> int {
        int v = 0;
        for (std::size_t k = from; k < from + len; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return -1;
            v = v * 10 + (text[k] - '0');
        }
        return v;
    };
    const int y = num(0, 4), m = num(5, 2), d = num(8, 2);
    if (y < 0 || m < 0 || d < 0)
        return std::nullopt;
    if (text.size() > 10 && text[10] != ' ' && text[10] != 'T')
        return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<std::int64_t> parseDigits(std::string_view text, int maxDigits)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(maxDigits))
        return std::nullopt;
    std::int64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace platform
