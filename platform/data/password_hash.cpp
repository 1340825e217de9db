// Argon2id password hashes through libsodium, at its interactive cost (a log-in
// should take a fraction of a second). The hash string carries salt and cost.
#include "platform/data/password_hash.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include <sodium.h>

namespace platform {

namespace {

void startSodium()
{
    // A function-local static is initialised once even when threads race here.
    static const int rc = sodium_init();
    if (rc < 0)
        throw std::runtime_error("The password library (libsodium) cannot start.");
}

} // namespace

std::string hashPassword(std::string_view password)
{
    startSodium();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw std::runtime_error("Not enough memory to hash the password.");
    return out;
}

bool passwordMatches(std::string_view password, std::string_view storedHash)
{
    startSodium();
    // Only Argon2id strings of ours count; libsodium would also accept Argon2i ones.
    constexpr std::string_view prefix = crypto_pwhash_argon2id_STRPREFIX;
    if (storedHash.size() >= crypto_pwhash_STRBYTES || !storedHash.starts_with(prefix))
        return false;
    // The verifier reads a NUL-terminated string; a NUL inside would cut it short.
    if (storedHash.find('\0') != std::string_view::npos)
        return false;
    const std::string hash{storedHash};
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

} // namespace platform
