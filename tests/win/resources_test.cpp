// What the shipped programs carry that the system reads without running
// them: the saver's description for the display settings, the rights each
// asks for, its version record and icon, and imports of the system's known DLLs only.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>

#include "handles.h"
#include "sequential_file.h"
#include "version_record.h"

namespace {

std::wstring Shipped(const char* file) {
    std::wstring path = L"Z:";
    for (const char* p = VELTRIN_SOURCE_DIR "/dist/"; *p; ++p) path += *p == '/' ? L'\\' : wchar_t(*p);
    return path + std::wstring(file, file + strlen(file));
}

// The DLL names of a 32-bit program's import table.
std::set<std::string> Imports(const std::string& image) {
    std::set<std::string> names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data())->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    const auto offset = [&](DWORD rva) -> std::size_t {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    const DWORD table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + offset(table)); d->Name; ++d) {
        std::string name(image.data() + offset(d->Name));
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::tolower(c)); });
        names.insert(name);
    }
    return names;
}

TEST(Shipped, ProgramsImportOnlyKnownDllsAndAskForTheirRights) {
    const std::set<std::string> known = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                         "msvcrt.dll",   "ole32.dll",  "oleaut32.dll", "shell32.dll"};
    for (const auto& [file, level] : {std::pair{"Qor.drl", "asInvoker"}, std::pair{"Veltrin-Setup.exe", "requireAdministrator"}}) {
        SCOPED_TRACE(file);
        const std::string image = rt::ReadWholeFile(Shipped(file), 64u << 20).value_or("");
        ASSERT_GT(image.size(), 4096u);
        for (const std::string& dll : Imports(image)) EXPECT_TRUE(known.count(dll)) << dll << " is no known DLL";
        const rt::UniqueModule owner(::LoadLibraryExW(Shipped(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(owner);
        const HMODULE module = owner.get();
        const HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
        const std::string text(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                               manifest ? ::SizeofResource(module, manifest) : 0);
        EXPECT_NE(text.find(std::string("level=\"") + level + "\""), std::string::npos);
        // Its version record as the programs read it, without the version library.
        const HRSRC version = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION);
        const auto record = rt::ParseVersionRecord({static_cast<const std::byte*>(::LockResource(::LoadResource(module, version))),
                                                    version ? ::SizeofResource(module, version) : 0});
        EXPECT_TRUE(record && record->major == 2 && record->minor == 1 && record->revision == 5 && record->companyName == L"Brandor");
        // Its icon, as the system finds it: group 1.
        rt::UniqueIcon icon(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 96, 96, 0)));
        EXPECT_TRUE(icon);
        // What the display settings list the saver by.
        wchar_t description[32] = {};
        ::LoadStringW(module, 1, description, 32);
        EXPECT_STREQ(description, std::string(file) == "Qor.drl" ? L"Veltrin" : L"");
    }
}

}  // namespace
