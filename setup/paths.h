#pragma once
// The setup's paths: which folders count as named in full, how a folder and a
// file name join, the names of the scratch files it writes beside its
// targets, and, on Windows only (paths_win.cpp), what is on the disk.
#include <string>
#include <string_view>

namespace setup {

// Whether a folder is named in full: a drive letter and a backslash, or a
// UNC path (\\server\share). A relative name would depend on the folder the
// setup happens to be started from.
bool IsAbsolutePath(std::wstring_view path);

// `folder` (no check for a trailing backslash: the system reads "\\" as "\")
// joined with a file name.
std::wstring JoinPath(const std::wstring& folder, const wchar_t* name);
// The folder of a file's path; empty when it names none.
std::wstring FolderOf(const std::wstring& path);

// The scratch file `serial` of a process beside `target`:
// "<target>.<process>.<serial>.tmp". Only the setup writes such names, and the
// next setup removes what a killed one left under them; a copy kept for good
// is of the kind "kept" instead.
std::wstring ScratchName(const std::wstring& target, unsigned long process, unsigned long serial, const wchar_t* kind = L"tmp");
// Whether the file name `name` is a scratch name of the file name `target`
// (letters in any case), and nothing else: an administrator's
// "Veltrin.scr.old" is not.
bool IsScratchName(std::wstring_view name, std::wstring_view target);

// ---- on the disk (Windows) ----------------------------------------------

bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);
// Whether two paths name one file or folder (a long and a short name, say);
// when neither is there, whether they are one name, in any case, in one folder.
bool SameFile(const std::wstring& a, const std::wstring& b);

}  // namespace setup
