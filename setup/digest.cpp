#include "digest.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>

#include "handles.h"
#include "failures.h"

namespace setup {
namespace {

struct ProviderTraits {
    using pointer = HCRYPTPROV;
    static pointer invalid() noexcept { return 0; }
    static void close(pointer p) noexcept { ::CryptReleaseContext(p, 0); }
};
struct HashTraits {
    using pointer = HCRYPTHASH;
    static pointer invalid() noexcept { return 0; }
    static void close(pointer h) noexcept { ::CryptDestroyHash(h); }
};

}  // namespace

Digest Sha256(std::string_view bytes) {
    HCRYPTPROV provider = 0;
    ThrowLastErrorIf(!::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT),
                     "no SHA-256 on this system");
    const rt::UniqueHandle<ProviderTraits> ownedProvider(provider);
    HCRYPTHASH hash = 0;
    ThrowLastErrorIf(!::CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash), "no SHA-256 on this system");
    const rt::UniqueHandle<HashTraits> ownedHash(hash);
    for (std::size_t at = 0; at < bytes.size();) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
        ThrowLastErrorIf(!::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data() + at), chunk, 0),
                         "the digest cannot be computed");
        at += chunk;
    }
    Digest digest{};
    DWORD size = digest.size();
    ThrowLastErrorIf(!::CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0) || size != digest.size(),
                     "the digest cannot be computed");
    return digest;
}

}  // namespace setup
