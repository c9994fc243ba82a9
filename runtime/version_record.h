#pragma once
// A program's version record, read from its bytes, free of the platform: the
// programs read their own through the resource functions of the system,
// without the version library (which is not one of the system's known DLLs,
// so a copy planted beside a program would be loaded in its stead).
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace rt {

struct VersionRecord {
    int major = 0, minor = 0, build = 0, revision = 0;  // the file version of the fixed part
    std::wstring companyName;                            // from the first string table
};

// The record of a VS_VERSIONINFO block as a resource holds it; nothing when
// the block is damaged or has no fixed part.
std::optional<VersionRecord> ParseVersionRecord(std::span<const std::byte> block);

}  // namespace rt
