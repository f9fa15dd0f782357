#include "secret_hasher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <stdexcept>

namespace {

std::string hex(const unsigned char* bytes, std::size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

}

std::string secret_hasher::new_salt()
{
    unsigned char salt[16];
    if (RAND_bytes(salt, sizeof salt) != 1)
        throw std::runtime_error("OpenSSL cannot draw random bytes for a salt");
    return hex(salt, sizeof salt);
}

std::string secret_hasher::hash(const std::string& secret, const std::string& salt)
{
    unsigned char out[32];
    if (PKCS5_PBKDF2_HMAC(secret.data(), int(secret.size()), reinterpret_cast<const unsigned char*>(salt.data()),
                          int(salt.size()), iterations, EVP_sha256(), sizeof out, out) != 1)
        throw std::runtime_error("OpenSSL cannot hash a secret");
    return hex(out, sizeof out);
}

bool secret_hasher::matches(const std::string& secret, const std::string& salt, const std::string& stored)
{
    const std::string made = hash(secret, salt);
    return made.size() == stored.size() && CRYPTO_memcmp(made.data(), stored.data(), made.size()) == 0;
}

bool secret_hasher::well_formed(const std::string& secret)
{
    if (secret.size() != 64)
        return false;
    for (char c : secret)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}
