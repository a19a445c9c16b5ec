// The setup road under Wine: the dialog is driven through its controls from a
// helper thread while SaverApp::RunSetup runs it, and the registry is read
// afterwards.
#include "app/saver_app.h"
#include "app/saver_settings.h"
#include "dialog_driver.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {
const char SetupCaption[] = "Pelloran V1.1 Setup";
const char ChooserCaption[] = "Select Directory";

// The application object with its registry writes recorded in their order.
class RecordingApp : public SaverApp {
public:
    BOOL WriteProfileInt(const char* section, const char* entry, int value) const override {
        writes.emplace_back(entry);
        return SaverApp::WriteProfileInt(section, entry, value);
    }
    BOOL WriteProfileString(const char* section, const char* entry,
                            const char* value) const override {
        writes.emplace_back(entry);
        return SaverApp::WriteProfileString(section, entry, value);
    }
    mutable std::vector<std::string> writes;
};

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetRegistryKey("Tarnwick Software");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, AppKey().c_str());
        ::GetCurrentDirectoryA(MAX_PATH, startDirectory);
    }
    void TearDown() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, AppKey().c_str());
        ::SetCurrentDirectoryA(startDirectory);
    }

    std::string AppKey() const { return "Software\\Tarnwick Software\\" + app.AppName(); }
    std::string SectionKey() const { return AppKey() + "\\Configuration"; }

    void StoreInt(const char* name, int32_t value) {
        app.WriteProfileInt("Configuration", name, value);
    }
    void StoreText(const char* name, const std::string& text) {
        app.WriteProfileString("Configuration", name, text.c_str());
    }

    // The setup road as start-up takes it, with `script` acting as the user.
    void RunSetup(std::function<void(DialogDriver&)> script) {
        app.LoadSettings();
        app.writes.clear();
        DialogDriver driver(std::move(script));
        app.RunSetup();
    }

    std::optional<int32_t> StoredInt(const char* name) const {
        int32_t value = 0;
        DWORD type = 0, size = sizeof value;
        if (::RegGetValueA(HKEY_CURRENT_USER, SectionKey().c_str(), name, RRF_RT_ANY, &type, &value,
                           &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            return std::nullopt;
        }
        return value;
    }
    std::optional<std::string> StoredText(const char* name) const {
        char text[1024] = "";
        DWORD type = 0, size = sizeof text;
        if (::RegGetValueA(HKEY_CURRENT_USER, SectionKey().c_str(), name, RRF_RT_ANY, &type, text,
                           &size) != ERROR_SUCCESS ||
            type != REG_SZ) {
            return std::nullopt;
        }
        return std::string(text);
    }

    RecordingApp app;
    char startDirectory[MAX_PATH] = "";
};

RECT WindowRect(HWND dialog, int id) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    return rect;
}
} // namespace

TEST_F(SetupDialogTest, CancelAndEscapeWriteNothingEvenAfterEdits) {
    StoreInt("Delay", 4);
    StoreText("Path", "C:\\old");
    for (const bool escape : {false, true}) {
        RunSetup([escape](DialogDriver& user) {
            HWND dialog = user.WaitForWindow(SetupCaption);
            ASSERT_NE(nullptr, dialog);
            user.SetText(dialog, IDC_DELAY, "9");
            user.SetText(dialog, IDC_PATH, "C:\\new");
            user.Click(dialog, IDC_CENTER);
            user.Click(dialog, IDC_OVERLAP);
            if (escape) {
                user.Press(VK_ESCAPE);
            } else {
                user.Click(dialog, IDCANCEL);
            }
            EXPECT_TRUE(user.WaitUntilGone(dialog));
        });
        EXPECT_TRUE(app.writes.empty()) << (escape ? "Escape" : "Cancel");
        EXPECT_EQ(4, StoredInt("Delay"));
        EXPECT_EQ("C:\\old", StoredText("Path"));
        EXPECT_EQ(std::nullopt, StoredInt("Position"));
        EXPECT_EQ(std::nullopt, StoredInt("Overlap"));
    }
}

TEST_F(SetupDialogTest, EnterStoresTheSixValuesIntegersBeforeTheStringThenTheNewOnes) {
    struct {
        std::string delay, path;
        bool scatter, large, overlap, random, subfolders, fade, fit, keys, captions, motion, pairs;
    } shown{};
    RunSetup([&shown](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        shown = {user.Text(dialog, IDC_DELAY),           user.Text(dialog, IDC_PATH),
                 user.IsChecked(dialog, IDC_SCATTER),    user.IsChecked(dialog, IDC_LARGE),
                 user.IsChecked(dialog, IDC_OVERLAP),    user.IsChecked(dialog, IDC_RANDOM),
                 user.IsChecked(dialog, IDC_SUBFOLDERS), user.IsChecked(dialog, IDC_FADE),
                 user.IsChecked(dialog, IDC_FIT),        user.IsChecked(dialog, IDC_KEYS),
                 user.IsChecked(dialog, IDC_CAPTIONS),   user.IsChecked(dialog, IDC_MOTION),
                 user.IsChecked(dialog, IDC_PAIRS)};
        user.SetText(dialog, IDC_DELAY, "12 abc");
        user.SetText(dialog, IDC_PATH, "D:\\pics");
        user.Click(dialog, IDC_CENTER);
        user.Click(dialog, IDC_SMALL);
        user.Click(dialog, IDC_OVERLAP);
        user.Click(dialog, IDC_RANDOM);
        user.Click(dialog, IDC_SUBFOLDERS);
        user.Click(dialog, IDC_FADE);
        user.Click(dialog, IDC_FIT);
        user.Click(dialog, IDC_KEYS);
        user.Click(dialog, IDC_CAPTIONS);
        user.Click(dialog, IDC_MOTION);
        user.Click(dialog, IDC_PAIRS);
        user.Press(VK_RETURN);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    // The defaults, as the dialog shows them: the folder is the user's Pictures.
    char pictures[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, pictures));
    EXPECT_EQ("3", shown.delay);
    EXPECT_EQ(pictures, shown.path);
    EXPECT_TRUE(shown.scatter);
    EXPECT_TRUE(shown.large);
    EXPECT_FALSE(shown.overlap);
    EXPECT_FALSE(shown.random);
    EXPECT_TRUE(shown.subfolders);
    EXPECT_FALSE(shown.fade);
    EXPECT_FALSE(shown.fit);
    EXPECT_FALSE(shown.keys);
    EXPECT_FALSE(shown.captions);
    EXPECT_FALSE(shown.motion);
    EXPECT_FALSE(shown.pairs);

    const std::vector<std::string> order = {"Delay",    "Position",   "Size", "Random", "Overlap",
                                            "Path",     "Subfolders", "Fade", "Fit",    "Keys",
                                            "Captions", "Motion",     "Pairs"};
    EXPECT_EQ(order, app.writes);
    EXPECT_EQ(12, StoredInt("Delay"));
    EXPECT_EQ(1, StoredInt("Position"));
    EXPECT_EQ(1, StoredInt("Size"));
    EXPECT_EQ(1, StoredInt("Random"));
    EXPECT_EQ(1, StoredInt("Overlap"));
    EXPECT_EQ("D:\\pics", StoredText("Path"));
    EXPECT_EQ(0, StoredInt("Subfolders"));
    EXPECT_EQ(1, StoredInt("Fade"));
    EXPECT_EQ(1, StoredInt("Fit"));
    EXPECT_EQ(1, StoredInt("Keys"));
    EXPECT_EQ(1, StoredInt("Captions"));
    EXPECT_EQ(1, StoredInt("Motion"));
    EXPECT_EQ(1, StoredInt("Pairs"));
}

TEST_F(SetupDialogTest, StoredStatesWithoutAControlShowAsNoneAndStoreBackAsTheDialogSaysThem) {
    StoreInt("Position", 2);
    StoreInt("Size", 7);
    StoreInt("Overlap", 5);
    StoreInt("Random", 1);
    std::vector<bool> checked;
    RunSetup([&checked](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        for (int id : {IDC_SCATTER, IDC_CENTER, IDC_LARGE, IDC_SMALL, IDC_OVERLAP, IDC_RANDOM}) {
            checked.push_back(user.IsChecked(dialog, id));
        }
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ((std::vector<bool>{false, false, false, false, false, true}), checked);
    EXPECT_EQ(-1, StoredInt("Position"));
    EXPECT_EQ(-1, StoredInt("Size"));
    EXPECT_EQ(0, StoredInt("Overlap"));
    EXPECT_EQ(1, StoredInt("Random"));
}

TEST_F(SetupDialogTest, RadioValuesFollowTheTemplateOrderNotTheScreen) {
    StoreInt("Position", 1);
    StoreInt("Size", 0);
    bool centerAbove = false;
    RunSetup([&centerAbove](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        centerAbove = WindowRect(dialog, IDC_CENTER).top < WindowRect(dialog, IDC_SCATTER).top;
        user.Click(dialog, IDC_SCATTER);
        user.Click(dialog, IDC_SMALL);
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_TRUE(centerAbove);
    EXPECT_EQ(0, StoredInt("Position"));
    EXPECT_EQ(1, StoredInt("Size"));

    RunSetup([](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        user.Click(dialog, IDC_CENTER);
        user.Click(dialog, IDC_LARGE);
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(1, StoredInt("Position"));
    EXPECT_EQ(0, StoredInt("Size"));
}

TEST_F(SetupDialogTest, DelayTextIsReadAsPercentIAndNoNumberKeepsThePreviousDelay) {
    const struct {
        const char* text;
        int32_t stored;
    } cases[] = {{"12 abc", 12}, {"010", 8}, {"0x10", 16}, {"-5", -5}, {"", 6}, {"abc", 6}};
    for (const auto& c : cases) {
        StoreInt("Delay", 6);
        RunSetup([&c](DialogDriver& user) {
            HWND dialog = user.WaitForWindow(SetupCaption);
            ASSERT_NE(nullptr, dialog);
            user.SetText(dialog, IDC_DELAY, c.text);
            user.Click(dialog, IDOK);
            EXPECT_TRUE(user.WaitUntilGone(dialog));
        });
        EXPECT_EQ(c.stored, StoredInt("Delay")) << '"' << c.text << '"';
    }
}

TEST_F(SetupDialogTest, TheUserCannotTypeA251stCharacterIntoThePath) {
    size_t typedTo250 = 0, typedTo251 = 0;
    RunSetup([&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        HWND edit = ::GetDlgItem(dialog, IDC_PATH);
        user.SetText(dialog, IDC_PATH, std::string(249, 'a'));
        ::SendMessageA(edit, EM_SETSEL, 249, 249);
        user.Type(edit, 'b');
        user.Type(edit, 'c');
        // Posted after the keys, so handled after them.
        ::PostMessageA(edit, EM_SETSEL, 0, 0);
        user.WaitUntil([edit] { return ::SendMessageA(edit, EM_GETSEL, 0, 0) == 0; });
        typedTo250 = user.Text(edit).find('b');
        typedTo251 = user.Text(edit).size();
        user.Press(VK_ESCAPE);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(249u, typedTo250);
    EXPECT_EQ(250u, typedTo251);
}

TEST_F(SetupDialogTest, ALongerChosenPathIsShownInFullAndEveryOkRefusesItUntilShortened) {
    const std::string tooLong = "C:\\" + std::string(257, 'x'); // 260 characters
    const std::string longest = "C:\\" + std::string(247, 'y'); // 250 characters
    std::string shown;
    MessageBoxSeen first, second;
    bool stayedOpen = false;
    int focusAfter = 0;
    DWORD selection = 0;
    RunSetup([&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        user.Click(dialog, IDC_CHOOSE);
        HWND chooser = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, chooser);
        user.SetText(chooser, IDC_CHOOSER_PATH, tooLong);
        user.Click(chooser, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(chooser));
        user.WaitUntil([&] { return user.Text(dialog, IDC_PATH) == tooLong; });
        shown = user.Text(dialog, IDC_PATH);

        user.Click(dialog, IDOK);
        first = ReadAndCloseMessageBox(user, "pelloran_setup_tests");
        user.WaitUntil([&] { return user.FocusId() == IDC_PATH; });
        stayedOpen = ::IsWindowVisible(dialog) != FALSE;
        focusAfter = user.FocusId();
        selection = static_cast<DWORD>(::SendDlgItemMessageA(dialog, IDC_PATH, EM_GETSEL, 0, 0));

        user.Click(dialog, IDOK);
        second = ReadAndCloseMessageBox(user, "pelloran_setup_tests");
        user.SetText(dialog, IDC_PATH, longest);
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(tooLong, shown);
    EXPECT_EQ("pelloran_setup_tests", first.caption);
    EXPECT_EQ("Please enter no more than 250 characters.", first.text);
    EXPECT_EQ(first.text, second.text);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(IDC_PATH, focusAfter);
    EXPECT_EQ(0u, LOWORD(selection));
    EXPECT_EQ(tooLong.size(), HIWORD(selection));
    EXPECT_EQ(13u, app.writes.size()); // one successful OK
    EXPECT_EQ(longest, StoredText("Path"));
}

namespace {
// Tab from the OK button once around the dialog, as the ids of the controls visited.
std::vector<int> TabAround(DialogDriver& user, HWND dialog) {
    std::vector<int> visited;
    user.WaitUntil([&] { return user.FocusId() == IDOK; });
    visited.push_back(user.FocusId());
    do {
        HWND before = user.Focus();
        user.Press(VK_TAB);
        visited.push_back(user.WaitForFocusChange(before));
    } while (visited.back() != IDOK && visited.size() < 20);
    user.Press(VK_ESCAPE);
    EXPECT_TRUE(user.WaitUntilGone(dialog));
    return visited;
}
} // namespace

TEST_F(SetupDialogTest, TabVisitsTheTabStopsInTemplateOrderAndOfTheRadioButtonsOnlyAChecked) {
    std::vector<int> visited;
    const auto tabAround = [&visited](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        visited = TabAround(user, dialog);
    };
    // No radio button checked: none is a tab stop.
    StoreInt("Position", 2);
    StoreInt("Size", 2);
    RunSetup(tabAround);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, IDC_PATH, IDC_DELAY, IDC_OVERLAP, IDC_RANDOM,
                                IDC_SUBFOLDERS, IDC_FADE, IDC_FIT, IDC_KEYS, IDC_CAPTIONS,
                                IDC_MOTION, IDC_PAIRS, IDC_CHOOSE, IDOK}),
              visited);

    // The platform makes a radio button a tab stop while it is checked, so Tab
    // enters each group at its checked button.
    StoreInt("Position", 1);
    StoreInt("Size", 0);
    RunSetup(tabAround);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, IDC_PATH, IDC_DELAY, IDC_CENTER, IDC_LARGE,
                                IDC_OVERLAP, IDC_RANDOM, IDC_SUBFOLDERS, IDC_FADE, IDC_FIT,
                                IDC_KEYS, IDC_CAPTIONS, IDC_MOTION, IDC_PAIRS, IDC_CHOOSE, IDOK}),
              visited);
}

TEST_F(SetupDialogTest, ChooseStartsAtTheLoadedFolderAndOnlyItsOkReplacesTheTypedText) {
    const std::string root = "C:\\pelloran_setup_test";
    const std::string start = root + "\\Start Here";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA(start.c_str(), nullptr);
    StoreText("Path", start);
    std::string currentInChooser, afterCancel, afterOk;
    bool ownerDisabled = false, centred = false;
    int focusBack = 0;
    RunSetup([&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(SetupCaption);
        ASSERT_NE(nullptr, dialog);
        user.SetText(dialog, IDC_PATH, "typed");
        user.Click(dialog, IDC_CHOOSE);
        HWND chooser = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, chooser);
        char current[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, current);
        currentInChooser = current;
        ownerDisabled = !::IsWindowEnabled(dialog);
        RECT outer{}, inner{};
        ::GetWindowRect(dialog, &outer);
        ::GetWindowRect(chooser, &inner);
        centred = std::abs((outer.left + outer.right) - (inner.left + inner.right)) <= 2 &&
                  std::abs((outer.top + outer.bottom) - (inner.top + inner.bottom)) <= 2;
        user.Click(chooser, IDCANCEL);
        EXPECT_TRUE(user.WaitUntilGone(chooser));
        user.WaitUntil([&] { return user.FocusId() == IDC_CHOOSE; });
        focusBack = user.FocusId();
        afterCancel = user.Text(dialog, IDC_PATH);

        user.Click(dialog, IDC_CHOOSE);
        chooser = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, chooser);
        user.Click(chooser, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(chooser));
        user.WaitUntil([&] { return user.Text(dialog, IDC_PATH) != "typed"; });
        afterOk = user.Text(dialog, IDC_PATH);
        user.Click(dialog, IDCANCEL);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    ::SetCurrentDirectoryA(startDirectory);
    ::RemoveDirectoryA(start.c_str());
    ::RemoveDirectoryA(root.c_str());

    EXPECT_EQ(start, currentInChooser);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(centred);
    EXPECT_EQ(IDC_CHOOSE, focusBack);
    EXPECT_EQ("typed", afterCancel);
    EXPECT_EQ(start, afterOk);
    EXPECT_TRUE(app.writes.empty()); // a folder chosen, then Cancel: nothing stored
    EXPECT_EQ(start, StoredText("Path"));
}
