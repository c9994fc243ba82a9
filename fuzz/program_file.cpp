// A program file's bytes may be anything (the reader is the setup's, and
// every program's for its own record): every read is checked.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

#include "version_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span bytes(reinterpret_cast<const std::byte*>(data), size);
    const auto record = rt::ProgramVersionRecord(bytes);
    // A file too short for the DOS and PE headers has no record.
    assert(!record || size >= 0x40 + 24);
    return 0;
}
