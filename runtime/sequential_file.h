#pragma once
// Whole small files read and written in one go, for the programs' sequential
// files (see sequential_fields.h for what is in them).
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

// The most a file read returns. The programs' files are a line or two; a
// larger file is read only up to this many bytes and the rest is ignored, so
// a damaged or hostile file cannot make a reader take unbounded memory.
inline constexpr std::size_t kMostFileBytes = 64 * 1024;

// The file's bytes, at most `most` of them. Nothing when it cannot be opened
// or read: missing, a folder, or locked by a program that shares it with no
// one. A program that has it open for writing and shares it does not block
// the read.
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t most = kMostFileBytes);

// Writes all of `bytes` at the file's position, in pieces a single write takes.
bool WriteAll(HANDLE file, std::string_view bytes);

}  // namespace rt
