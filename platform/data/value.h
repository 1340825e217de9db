// One cell as read from or bound to the database: null, whole number, real or text.
// Shared by statements and recordsets; money is carried as whole-number cents.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

class Value {
public:
    Value() = default;                                   // null
    Value(std::nullptr_t) {}
    Value(int v) : m_v{std::int64_t{v}} {}
    Value(std::int64_t v) : m_v{v} {}
    Value(double v) : m_v{v} {}
    Value(std::string v) : m_v{std::move(v)} {}
    Value(std::string_view v) : m_v{std::string{v}} {}
    Value(const char* v) : m_v{std::string{v}} {}
    Value(bool) = delete;                                // say 0 or 1: yes/no columns are whole numbers

    bool isNull() const { return std::holds_alternative<std::monostate>(m_v); }
    bool isInt() const { return std::holds_alternative<std::int64_t>(m_v); }
    bool isReal() const { return std::holds_alternative<double>(m_v); }
    bool isText() const { return std::holds_alternative<std::string>(m_v); }

    // The value as a whole number: null gives `nullValue`, text is parsed
    // strictly (digits with an optional sign), a real is truncated.
    // Text that is no whole number gives `nullValue`.
    std::int64_t toInt(std::int64_t nullValue = 0) const;
    // The value as text: null gives "" (shown empty), numbers in decimal.
    std::string toText() const;
    // The whole number, or nothing when null or not a whole number.
    std::optional<std::int64_t> asInt() const;

    friend bool operator==(const Value&, const Value&) = default;

    // Orders null first, then numbers by value, then text (byte order).
    static int compare(const Value& a, const Value& b, bool caseInsensitiveText = false);

    const auto& raw() const { return m_v; }

private:
    std::variant<std::monostate, std::int64_t, double, std::string> m_v;
};

} // namespace platform
