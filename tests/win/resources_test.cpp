// What the programs carry that the system reads without running them: the
// saver's description for the display settings, the rights each asks for and
// the machine it is built for, its icon, and imports of the system's known
// DLLs only, and the language of each resource; the shipped 32-bit programs
// and this build's own alike. (The version record shows on the device's
// screen, read by each program.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "handles.h"
#include "test_support.h"

namespace {

// A program mapped as an image resource: its first byte, its headers.
const char* Base(HMODULE module) { return reinterpret_cast<const char*>(reinterpret_cast<UINT_PTR>(module) & ~UINT_PTR(3)); }
const IMAGE_NT_HEADERS32& Headers(HMODULE module) {
    return *reinterpret_cast<const IMAGE_NT_HEADERS32*>(Base(module) + reinterpret_cast<const IMAGE_DOS_HEADER*>(Base(module))->e_lfanew);
}
bool Is64Bit(HMODULE module) { return Headers(module).FileHeader.Machine == IMAGE_FILE_MACHINE_AMD64; }

// The DLL names of its import table.
std::set<std::string> Imports(HMODULE module) {
    const IMAGE_DATA_DIRECTORY* directories = Is64Bit(module)
        ? reinterpret_cast<const IMAGE_NT_HEADERS64&>(Headers(module)).OptionalHeader.DataDirectory
        : Headers(module).OptionalHeader.DataDirectory;
    const char* base = Base(module);
    std::set<std::string> names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress); d->Name; ++d) {
        std::string name(base + d->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::tolower(c)); });
        names.insert(name);
    }
    return names;
}

// Each resource's type and language.
using Languages = std::vector<std::pair<ULONG_PTR, WORD>>;
BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR type, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<Languages*>(found)->emplace_back(ULONG_PTR(type), language);
    return TRUE;
}
BOOL CALLBACK OnName(HMODULE m, LPCWSTR type, LPWSTR name, LONG_PTR found) { return ::EnumResourceLanguagesW(m, type, name, OnLanguage, found); }
BOOL CALLBACK OnType(HMODULE m, LPWSTR type, LONG_PTR found) { return ::EnumResourceNamesW(m, type, OnName, found); }

TEST(Programs, ImportOnlyKnownDllsAndAskForTheirRightsOnTheirMachine) {
    const std::set<std::string> known = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                         "msvcrt.dll",   "ole32.dll",  "oleaut32.dll", "shell32.dll"};
    for (const std::string folder : {VELTRIN_SOURCE_DIR "/dist/", VELTRIN_PROGRAM_DIR "/"}) {
        for (const auto& [file, level] : {std::pair{"Qor.drl", "asInvoker"}, std::pair{"Veltrin-Setup.exe", "requireAdministrator"}}) {
            SCOPED_TRACE(folder + file);
            const std::wstring path = e2e::WinePath(folder + file);
            const rt::UniqueModule owner(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
            ASSERT_TRUE(owner);
            const HMODULE module = owner.get();
            for (const std::string& dll : Imports(module)) EXPECT_TRUE(known.count(dll)) << dll << " is no known DLL";
            const HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
            const std::string text(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                                   manifest ? ::SizeofResource(module, manifest) : 0);
            EXPECT_NE(text.find(std::string("level=\"") + level + "\""), std::string::npos);
            // Windows refuses to start a program whose manifest names another machine.
            EXPECT_NE(text.find(Is64Bit(module) ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\""),
                      std::string::npos);
            // Its icon, as the system finds it: group 1.
            rt::UniqueIcon icon(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 96, 96, 0)));
            EXPECT_TRUE(icon);
            // What the display settings list the saver by.
            wchar_t description[32] = {};
            ::LoadStringW(module, 1, description, 32);
            EXPECT_STREQ(description, std::string(file) == "Qor.drl" ? L"Veltrin" : L"");
            // In German, the design's language, but for the icon, which has none.
            Languages languages;
            ::EnumResourceTypesW(module, OnType, LONG_PTR(&languages));
            for (const auto& [type, language] : languages) {
                EXPECT_EQ(language, type == ULONG_PTR(RT_ICON) || type == ULONG_PTR(RT_GROUP_ICON) ? 0 : 0x0407) << "type " << type;
            }
        }
    }
}

}  // namespace
