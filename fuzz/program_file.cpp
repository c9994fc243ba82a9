// The file the setup ships beside itself may hold any bytes: a damaged
// download, or something else under the saver's name.
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
    (void)rt::IsI386Program(bytes);
    return 0;
}
