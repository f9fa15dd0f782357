#pragma once

// Players' secrets are never stored: only a salted hash of each, made with
// PBKDF2-HMAC-SHA256 from OpenSSL's libcrypto. A secret is 64 hex digits the
// game draws from a random source, so the hash's work factor guards a copy
// of the database rather than a guessable password; comparison takes the
// same time whatever the hashes hold (CRYPTO_memcmp).

#include <string>

class secret_hasher {
public:
    static constexpr int iterations = 10000;

    // A new random salt, as hex.
    static std::string new_salt();
    // The hash of `secret` with `salt`, as hex.
    static std::string hash(const std::string& secret, const std::string& salt);
    // Whether `secret` hashes to `stored` with `salt`.
    static bool matches(const std::string& secret, const std::string& salt, const std::string& stored);
    // Whether `secret` has the form the game makes: 64 hex digits.
    static bool well_formed(const std::string& secret);
};
