// Salted password hashes (Argon2id, through libsodium) for Users.Password.
// Plain passwords are never stored; the check keeps exact case.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A new salted Argon2id hash of `password` in libsodium's string form (it
// carries its own salt and cost). An empty password is hashed like any other.
// Throws std::runtime_error when libsodium cannot start or runs out of memory.
std::string hashPassword(std::string_view password);

// True when `password` (exact case) matches `storedHash`. A stored value that
// is no hash of ours never matches. Throws std::runtime_error when libsodium
// cannot start.
bool passwordMatches(std::string_view password, std::string_view storedHash);

} // namespace platform
