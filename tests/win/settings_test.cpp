// The settings store against Wine's real registry.
#include "app/saver_app.h"
#include "app/saver_settings.h"
#include "app/show_state.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {
const std::string CompanyKey = "Software\\Tarnwick Software";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetRegistryKey("Tarnwick Software");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, AppKey().c_str());
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, AppKey().c_str()); }

    std::string AppKey() const { return CompanyKey + "\\" + app.AppName(); }
    std::string SectionKey() const { return AppKey() + "\\Configuration"; }

    bool KeyExists(const std::string& path) const {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        ::RegCloseKey(key);
        return true;
    }

    void Store(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegCreateKeyExA(HKEY_CURRENT_USER, SectionKey().c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        ::RegCloseKey(key);
    }
    void StoreInt(const char* name, int32_t value) { Store(name, REG_DWORD, &value, 4); }
    void StoreText(const char* name, const std::string& text) {
        Store(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    SaverApp app;
};
} // namespace

TEST_F(SettingsTest, TheApplicationIsNamedAfterItsProgramFile) {
    EXPECT_EQ("pelloran_settings_tests", app.AppName());
}

TEST_F(SettingsTest, DefaultsWhenNothingIsStoredAndTheEmptyChainIsLeftBehind) {
    SaverSettings = Settings{};
    app.LoadSettings();
    EXPECT_EQ(3, SaverSettings.Delay);
    EXPECT_EQ(0, SaverSettings.Position);
    EXPECT_EQ(0, SaverSettings.Size);
    EXPECT_EQ(0, SaverSettings.Random);
    EXPECT_EQ(0, SaverSettings.Overlap);
    // The user's Pictures folder, as the shell's older interface names it.
    char pictures[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, pictures));
    EXPECT_EQ(pictures, SaverSettings.Path);
    EXPECT_EQ(1, SaverSettings.Subfolders);
    EXPECT_EQ(0, SaverSettings.Fade);
    EXPECT_EQ(0, SaverSettings.Fit);
    EXPECT_EQ(0, SaverSettings.Keys);
    EXPECT_EQ(0, SaverSettings.Captions);
    EXPECT_EQ(0, SaverSettings.Motion);
    EXPECT_EQ(0, SaverSettings.Pairs);

    ASSERT_TRUE(KeyExists(SectionKey()));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_READ, &key));
    DWORD values = 99;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    EXPECT_EQ(0u, values);
}

TEST_F(SettingsTest, StoredValuesAreReadAsTheyAreWithoutRangeChecks) {
    StoreInt("Delay", -5);
    StoreInt("Position", 7);
    StoreInt("Size", -1);
    StoreInt("Random", 2);
    StoreInt("Overlap", 1);
    StoreText("Path", "D:\\holiday pictures");
    StoreInt("Subfolders", 0);
    StoreInt("Fade", 3);
    StoreInt("Fit", -2);
    StoreInt("Keys", 4);
    StoreInt("Captions", 5);
    StoreInt("Motion", 6);
    StoreInt("Pairs", -7);
    app.LoadSettings();
    EXPECT_EQ(-5, SaverSettings.Delay);
    EXPECT_EQ(7, SaverSettings.Position);
    EXPECT_EQ(-1, SaverSettings.Size);
    EXPECT_EQ(2, SaverSettings.Random);
    EXPECT_EQ(1, SaverSettings.Overlap);
    EXPECT_EQ("D:\\holiday pictures", SaverSettings.Path);
    EXPECT_EQ(0, SaverSettings.Subfolders);
    EXPECT_EQ(3, SaverSettings.Fade);
    EXPECT_EQ(-2, SaverSettings.Fit);
    EXPECT_EQ(4, SaverSettings.Keys);
    EXPECT_EQ(5, SaverSettings.Captions);
    EXPECT_EQ(6, SaverSettings.Motion);
    EXPECT_EQ(-7, SaverSettings.Pairs);
}

TEST_F(SettingsTest, AnEmptyStoredPathStaysEmpty) {
    StoreText("Path", "");
    app.LoadSettings();
    EXPECT_EQ("", SaverSettings.Path);
}

TEST_F(SettingsTest, UnreadableIntegersFallBackToTheirDefaults) {
    const char eightBytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Store("Delay", REG_BINARY, eightBytes, sizeof eightBytes);
    app.LoadSettings();
    EXPECT_EQ(3, SaverSettings.Delay);
}

TEST_F(SettingsTest, AStringStoredWithoutItsTerminatorReadsWhole) {
    Store("Path", REG_SZ, "E:\\pics", 7);
    app.LoadSettings();
    EXPECT_EQ("E:\\pics", SaverSettings.Path);
}

TEST_F(SettingsTest, ValuesOfAnotherTypeReadAsTheDefault) {
    StoreText("Delay", "5"); // what `reg add` stores without /t
    Store("Path", REG_BINARY, "E:\\pics", 8);
    EXPECT_EQ(3u, app.GetProfileInt("Configuration", "Delay", 3));
    EXPECT_EQ("C:\\images", app.GetProfileString("Configuration", "Path", "C:\\images"));
}

TEST_F(SettingsTest, WritesGoToTheSectionKeyWithTheirTypes) {
    EXPECT_TRUE(app.WriteProfileInt("Configuration", "Delay", -2));
    EXPECT_TRUE(app.WriteProfileString("Configuration", "Path", "F:\\x"));

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_READ, &key));
    DWORD type = 0, size = 0;
    int32_t delay = 0;
    size = sizeof delay;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "Delay", nullptr, &type,
                                                reinterpret_cast<BYTE*>(&delay), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(-2, delay);
    char path[16] = "";
    size = sizeof path;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "Path", nullptr, &type,
                                                reinterpret_cast<BYTE*>(path), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(5u, size); // the text with its terminating zero
    EXPECT_STREQ("F:\\x", path);
    ::RegCloseKey(key);
}

// The full-screen show's state has a section of its own, never the settings'
// with values of their own types; a state that cannot be read is a first show's.
TEST_F(SettingsTest, TheShowStateIsKeptInASectionOfItsOwn) {
    EXPECT_EQ("", ReadShowState(app).folder);
    ShowMemory memory{"D:\\pics", true, "2023\\a.jpg", {}};
    memory.seen.Add("2023\\a.jpg");
    StateKeeper(app).Keep(memory);
    EXPECT_FALSE(KeyExists(SectionKey()));
    const ShowMemory read = ReadShowState(app);
    EXPECT_TRUE(read.folder == "D:\\pics" && read.subfolders && read.last == "2023\\a.jpg");
    EXPECT_EQ(memory.seen.Hashes(), read.seen.Hashes());
    const std::string state = AppKey() + "\\State";
    const auto typed = [&state](const char* name, DWORD type) {
        return ::RegGetValueA(HKEY_CURRENT_USER, state.c_str(), name, type, nullptr, nullptr,
                              nullptr) == ERROR_SUCCESS;
    };
    EXPECT_TRUE(typed("Folder", RRF_RT_REG_SZ) && typed("Subfolders", RRF_RT_REG_DWORD) &&
                typed("Last", RRF_RT_REG_SZ) && typed("Seen", RRF_RT_REG_BINARY));
    ::RegSetKeyValueA(HKEY_CURRENT_USER, state.c_str(), "Subfolders", REG_SZ, "1", 2);
    EXPECT_EQ("", ReadShowState(app).last);
}

// "Seen" is read up to the longest the show writes, its capacity of hashes; a
// longer value reads as none, and the rest of the state as stored.
TEST_F(SettingsTest, ASeenLongerThanTheShowWritesReadsAsNone) {
    ShowMemory memory{"D:\\pics", false, "a.jpg", {}};
    for (std::size_t i = 0; i < SeenPictures::Capacity; ++i) {
        memory.seen.Add(std::to_string(i));
    }
    StateKeeper(app).Keep(memory);
    EXPECT_EQ(memory.seen.Hashes(), ReadShowState(app).seen.Hashes());
    const std::vector<uint8_t> longer(StoredMemory::MostSeenBytes + 8, 0x11);
    ::RegSetKeyValueA(HKEY_CURRENT_USER, (AppKey() + "\\State").c_str(), "Seen", REG_BINARY,
                      longer.data(), static_cast<DWORD>(longer.size()));
    const ShowMemory read = ReadShowState(app);
    EXPECT_TRUE(read.seen.Empty() && read.last == "a.jpg");
}

// Start-up turns off the system's boxes for drives without their medium, so
// that the show's calls there fail quietly instead of waiting behind a box
// that nobody answers.
TEST_F(SettingsTest, StartUpTurnsOffTheNoDiskBoxes) {
    ::SetErrorMode(0);
    char program[] = "Pelloran.scr";
    char noMode[] = "/x";
    char* arguments[] = {program, noMode, nullptr};
    const int count = __argc;
    char** given = __argv;
    __argc = 2;
    __argv = arguments;
    const BOOL started = app.InitInstance();
    __argc = count;
    __argv = given;
    EXPECT_FALSE(started);
    const UINT quiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(quiet, ::SetErrorMode(0) & quiet);
}
