// What the shipped programs carry that the system reads without running
// them: the saver's description for the display settings, the rights each
// asks for, its icon, and imports of the system's known DLLs only. (The
// version record shows on the device's screen, read by each program.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "handles.h"

namespace {

std::wstring Shipped(const std::string& file) {
    return std::filesystem::path("Z:" VELTRIN_SOURCE_DIR "/dist/" + file).make_preferred().wstring();
}

// The DLL names of the import table of a 32-bit program mapped as an image.
std::set<std::string> Imports(HMODULE module) {
    const auto* base = reinterpret_cast<const char*>(reinterpret_cast<UINT_PTR>(module) & ~UINT_PTR(3));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::set<std::string> names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table); d->Name; ++d) {
        std::string name(base + d->Name);
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
        const rt::UniqueModule owner(::LoadLibraryExW(Shipped(file).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(owner);
        const HMODULE module = owner.get();
        for (const std::string& dll : Imports(module)) EXPECT_TRUE(known.count(dll)) << dll << " is no known DLL";
        const HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
        const std::string text(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                               manifest ? ::SizeofResource(module, manifest) : 0);
        EXPECT_NE(text.find(std::string("level=\"") + level + "\""), std::string::npos);
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
