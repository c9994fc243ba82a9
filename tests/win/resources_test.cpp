// What both programs carry: their version records field by field, the icon,
// the manifest, the pictures each one needs, that each is a 32-bit GUI program
// needing only system DLLs; and that a picture decodes to exactly the pixels
// of its GIF file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "artwork_ids.h"
#include "picture.h"

namespace {

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

struct Program {
    const char* file;  // in dist/
    const wchar_t* productName;
    const wchar_t* internalName;
    const wchar_t* originalFilename;
    const char* executionLevel;  // what the manifest asks for
    bool installButton;          // carries the install button's faces
    std::wstring Path() const { return WinePath((std::string(VELTRIN_SOURCE_DIR "/dist/") + file).c_str()); }
};
void PrintTo(const Program& p, std::ostream* os) { *os << p.file; }

const Program kPrograms[] = {
    {"Qor.drl", L"Veltrin", L"qor", L"qor.drl", "asInvoker", false},
    {"Veltrin-Setup.exe", L"Veltrin_Setup", L"Veltrin-Setup", L"Veltrin-Setup.exe", "requireAdministrator", true},
};

class Resources : public ::testing::TestWithParam<Program> {
protected:
    void SetUp() override {
        module_ = ::LoadLibraryExW(GetParam().Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        if (module_) ::FreeLibrary(module_);
    }
    std::string Resource(const wchar_t* type, int id) const {
        const HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!found) return {};
        const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
        return std::string(bytes, ::SizeofResource(module_, found));
    }
    HMODULE module_ = nullptr;
};
INSTANTIATE_TEST_SUITE_P(BothPrograms, Resources, ::testing::ValuesIn(kPrograms),
                         [](const auto& param) { return param.index == 0 ? std::string("Saver") : std::string("Setup"); });

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
    if (!::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"<none>";
    return std::wstring(value, wcsnlen(value, length));
}

TEST_P(Resources, VersionRecordMatchesFieldByField) {
    const std::wstring path = GetParam().Path();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record";
    std::vector<BYTE> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(5, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 2));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(5, 0));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);

    EXPECT_EQ(VersionString(block, L"CompanyName"), L"Brandor");
    EXPECT_EQ(VersionString(block, L"ProductName"), GetParam().productName);
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"2.01.0005");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"2.01.0005");
    EXPECT_EQ(VersionString(block, L"InternalName"), GetParam().internalName);
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), GetParam().originalFilename);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST_P(Resources, IconGroupOneNamesImage30001At96PixelsAnd24Bits) {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bits;
        DWORD size;
        WORD id;
    };
#pragma pack(pop)
    const HRSRC group = ::FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    const auto* header = static_cast<const WORD*>(::LockResource(::LoadResource(module_, group)));
    ASSERT_EQ(header[2], 1) << "one image";
    GroupEntry entry;
    std::memcpy(&entry, header + 3, sizeof entry);
    EXPECT_EQ(entry.width, 96);
    EXPECT_EQ(entry.height, 96);
    EXPECT_EQ(entry.bits, 24);
    EXPECT_EQ(entry.id, 30001);
    EXPECT_NE(::FindResourceW(module_, MAKEINTRESOURCEW(30001), MAKEINTRESOURCEW(3)), nullptr);

    const HICON icon = static_cast<HICON>(::LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP colour{};
    ::GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 96);
    EXPECT_EQ(colour.bmHeight, 96);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

TEST_P(Resources, ManifestAsksForCommonControls6NoDpiScalingAndItsExecutionLevel) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(std::string("level=\"") + GetParam().executionLevel + "\""), std::string::npos);
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
}

TEST_P(Resources, CarriesThePicturesOfItsWindows) {
    for (int id : {IDR_SKIN, IDR_CLOSE_NORMAL, IDR_CLOSE_HOVER, IDR_CLOSE_PRESSED, IDR_PANEL}) {
        EXPECT_EQ(Resource(RT_RCDATA, id).substr(0, 6), "GIF89a") << id;
    }
    for (int id : {IDR_NEXT_NORMAL, IDR_NEXT_HOVER, IDR_NEXT_PRESSED}) {
        EXPECT_EQ(!Resource(RT_RCDATA, id).empty(), GetParam().installButton) << id;
    }
}

TEST(SaverModule, CarriesTheScreenSaverDescription) {
    const HMODULE saver = ::LoadLibraryExW(kPrograms[0].Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr);
    wchar_t text[64] = {};
    EXPECT_GT(::LoadStringW(saver, 1, text, 64), 0);
    EXPECT_STREQ(text, L"Veltrin");
    ::FreeLibrary(saver);
}

TEST_P(Resources, IsA32BitGuiProgramThatImportsOnlySystemDlls) {
    std::ifstream file(std::string("Z:" VELTRIN_SOURCE_DIR "/dist/") + GetParam().file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 4096u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    // The import directory, found through the section that holds it.
    const DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offsetOf = [&](DWORD rva) -> std::size_t {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData)) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll",
                                          "ole32.dll", "oleaut32.dll", "version.dll", "windowscodecs.dll",
                                          "shell32.dll", "comctl32.dll", "api-ms-win-crt-runtime-l1-1-0.dll"};
    std::size_t at = offsetOf(importRva);
    ASSERT_NE(at, 0u);
    int dlls = 0;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + at); d->Name; ++d, ++dlls) {
        std::string name(bytes.data() + offsetOf(d->Name));
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
        EXPECT_TRUE(system.count(name)) << name << " is not a system DLL";
    }
    EXPECT_GE(dlls, 3);
}

TEST(Picture, DecodesTheSkinToExactlyTheGifsPixels) {
    // The GIF's own pixels, as an independent decoder (ImageMagick) wrote them
    // before this test ran: RGB triples, row by row.
    std::ifstream raw("Z:" VELTRIN_BINARY_DIR "/skin.rgb", std::ios::binary);
    const std::vector<unsigned char> expected((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
    ASSERT_EQ(expected.size(), 247u * 386u * 3u);

    const rt::Picture skin = rt::Picture::FromFile(WinePath(VELTRIN_SOURCE_DIR "/assets/skin.gif"));
    ASSERT_EQ(skin.Width(), 247);
    ASSERT_EQ(skin.Height(), 386);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, skin.Handle());
    int differing = 0;
    for (int y = 0; y < 386; ++y) {
        for (int x = 0; x < 247; ++x) {
            const unsigned char* p = &expected[(y * 247 + x) * 3];
            differing += ::GetPixel(dc, x, y) != RGB(p[0], p[1], p[2]);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(skin.Bits()[0], 0x00FF00FFu);  // the key colour comes back exact
}

}  // namespace
