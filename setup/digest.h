#pragma once
// SHA-256 of a file's bytes, by the system's own cryptography (advapi32, a
// part of every Windows): the setup knows the saver it ships by its digest.
#include <array>
#include <string_view>

namespace setup {

using Digest = std::array<unsigned char, 32>;

// Throws rt::Failure when the system cannot compute it.
Digest Sha256(std::string_view bytes);

}  // namespace setup
