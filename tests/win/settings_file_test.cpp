// The settings file on disk: exact bytes, truncation, and files that are
// missing, locked, too large or cannot be written.
#include <gtest/gtest.h>

#include <windows.h>

#include "handles.h"
#include "sequential_file.h"
#include "settings_file.h"

namespace {

using saver::Language;

// A fresh folder in the temporary folder, removed with the file afterwards.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = temp + (L"veltrin-settings-" + std::to_wstring(::GetCurrentProcessId()));
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = saver::SettingsFilePath(folder_);
    }
    void TearDown() override {
        ::DeleteFileW(path_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    rt::UniqueFile Open(DWORD access, DWORD share) const {
        return rt::UniqueFile(::CreateFileW(path_.c_str(), access, share, nullptr, OPEN_ALWAYS, 0, nullptr));
    }
    void ExpectEnglish() const {
        const auto texts = saver::ReadSettingsFile(path_);
        EXPECT_EQ(texts.TitleText, "Veltrin-Screen-Saver");
        EXPECT_EQ(texts.NoteText, "Free Program!");
    }
    std::wstring folder_, path_;
};

TEST_F(SettingsFile, WritingAgainTruncates) {
    ASSERT_TRUE(saver::WriteSettingsFile(path_, Language::German));
    EXPECT_EQ(saver::ReadSettingsFile(path_).NoteText, "Kostenloses Programm!");
    ASSERT_TRUE(saver::WriteSettingsFile(path_, Language::English));
    EXPECT_EQ(rt::ReadWholeFile(path_), "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n");
}

TEST_F(SettingsFile, MissingOrLockedFileGivesTheEnglishTexts) {
    ExpectEnglish();
    ASSERT_TRUE(saver::WriteSettingsFile(path_, Language::German));
    {
        const rt::UniqueFile writer = Open(GENERIC_WRITE, FILE_SHARE_READ);  // shares: no obstacle
        EXPECT_EQ(saver::ReadSettingsFile(path_).TitleText, "Veltrin-Bildschirmschoner");
    }
    const rt::UniqueFile lock = Open(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(lock);
    ExpectEnglish();
    EXPECT_FALSE(saver::WriteSettingsFile(path_, Language::English));
}

TEST_F(SettingsFile, WritingIntoAMissingFolderFails) {
    EXPECT_FALSE(saver::WriteSettingsFile(folder_ + L"\\missing\\scrVeltrin.ini", Language::English));
}

TEST_F(SettingsFile, ReadingStopsAtTheCap) {
    ASSERT_TRUE(rt::WriteWholeFile(path_, std::string(rt::kMostFileBytes + 1000, 'x')));
    EXPECT_EQ(rt::ReadWholeFile(path_)->size(), rt::kMostFileBytes);
    EXPECT_EQ(rt::ReadWholeFile(path_, 10), std::string(10, 'x'));
}

}  // namespace
