# Writes the header that carries the SHA-256 of the saver the setup ships:
#   cmake -DSAVER=<file> -DOUT=<header> -P saver_digest.cmake
file(SHA256 "${SAVER}" hex)
string(REGEX REPLACE "(..)" "0x\\1, " bytes "${hex}")
file(WRITE "${OUT}.new" "// Made by the build from the saver the setup ships: ${hex}\n#pragma once\n#include \"digest.h\"\n"
     "namespace setup {\ninline constexpr Digest kShippedSaverSha256 = {${bytes}};\n}  // namespace setup\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
