// The settings file on disk: exact bytes, truncation, and files that are
// missing, locked or cannot be written.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "handles.h"
#include "sequential_file.h"
#include "settings_file.h"

namespace {

// A fresh folder in the temporary folder, removed with whatever it holds.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"veltrin-settings-" + std::to_wstring(::GetCurrentProcessId());
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

    std::wstring folder_, path_;
};

TEST_F(SettingsFile, WritingAgainTruncates) {
    ASSERT_TRUE(saver::WriteSettingsFile(path_, saver::Language::German));
    EXPECT_EQ(rt::ReadWholeFile(path_)->size(), 53u);
    ASSERT_TRUE(saver::WriteSettingsFile(path_, saver::Language::English));
    EXPECT_EQ(rt::ReadWholeFile(path_), "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n");
    const auto texts = saver::ReadSettingsFile(path_);
    EXPECT_EQ(texts.TitleText, "Veltrin-Screen-Saver");
    EXPECT_EQ(texts.NoteText, "Free Program!");
}

TEST_F(SettingsFile, GermanIsReadBack) {
    ASSERT_TRUE(saver::WriteSettingsFile(path_, saver::Language::German));
    const auto texts = saver::ReadSettingsFile(path_);
    EXPECT_EQ(texts.TitleText, "Veltrin-Bildschirmschoner");
    EXPECT_EQ(texts.NoteText, "Kostenloses Programm!");
}

TEST_F(SettingsFile, MissingFileGivesTheEnglishTexts) {
    EXPECT_FALSE(rt::ReadWholeFile(path_));
    const auto texts = saver::ReadSettingsFile(path_);
    EXPECT_EQ(texts.TitleText, "Veltrin-Screen-Saver");
    EXPECT_EQ(texts.NoteText, "Free Program!");
}

TEST_F(SettingsFile, FileLockedByAnotherHandle) {
    ASSERT_TRUE(saver::WriteSettingsFile(path_, saver::Language::German));
    const rt::UniqueFile lock = Open(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(lock);
    const auto texts = saver::ReadSettingsFile(path_);
    EXPECT_EQ(texts.TitleText, "Veltrin-Screen-Saver");
    EXPECT_EQ(texts.NoteText, "Free Program!");
    EXPECT_FALSE(saver::WriteSettingsFile(path_, saver::Language::English));
}

TEST_F(SettingsFile, AWriterThatSharesDoesNotBlockReading) {
    ASSERT_TRUE(saver::WriteSettingsFile(path_, saver::Language::German));
    const rt::UniqueFile writer = Open(GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_TRUE(writer);
    EXPECT_EQ(saver::ReadSettingsFile(path_).TitleText, "Veltrin-Bildschirmschoner");
}

TEST_F(SettingsFile, WritingIntoAMissingFolderFails) {
    EXPECT_FALSE(saver::WriteSettingsFile(folder_ + L"\\missing\\scrVeltrin.ini", saver::Language::English));
}

TEST_F(SettingsFile, ReadingStopsAtTheCap) {
    const std::string big(rt::kMostFileBytes + 1000, 'x');
    ASSERT_TRUE(rt::WriteWholeFile(path_, big));
    EXPECT_EQ(rt::ReadWholeFile(path_)->size(), rt::kMostFileBytes);
    EXPECT_EQ(rt::ReadWholeFile(path_, 10), std::string(10, 'x'));
    EXPECT_EQ(saver::ReadSettingsFile(path_).TitleText.size(), saver::kMostTextLength);
}

}  // namespace
