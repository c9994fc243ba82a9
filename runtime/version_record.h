#pragma once
// A program file's version record and header, read from their bytes, free of
// the platform: the programs read their own version record through the
// resource functions of the system, without the version library (which is not
// one of the system's known DLLs, so a copy planted beside a program would be
// loaded in its stead), and any other program's from its file's bytes.
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace rt {

struct VersionRecord {
    int major = 0, minor = 0, build = 0, revision = 0;  // the file version of the fixed part
    std::wstring companyName, internalName;              // from the first string table
};

// The record of a VS_VERSIONINFO block as a resource holds it; nothing when
// the block is damaged or has no fixed part.
std::optional<VersionRecord> ParseVersionRecord(std::span<const std::byte> block);

// The version record (resource type RT_VERSION, id 1, its first language) of a
// program file's bytes, found through its headers and resource directory;
// nothing when there is none. The bytes may be anything: every read is checked.
std::optional<VersionRecord> ProgramVersionRecord(std::span<const std::byte> file);

}  // namespace rt
