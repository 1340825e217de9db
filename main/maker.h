// The maker's name, address and web address, as the sign-in and about windows show them.
#pragma once

namespace app::maker {

inline constexpr const char* kName = "Brevanko Software";
inline constexpr const char* kAddress = "12 Harbour Road, Tamsel";
inline constexpr const char* kTelephones = "Tel: +1 555 0140, +1 555 0141";
inline constexpr const char* kEmail = "support@brevanko.example";
inline constexpr const char* kWebAddress = "https://www.brevanko.example/";

} // namespace app::maker
