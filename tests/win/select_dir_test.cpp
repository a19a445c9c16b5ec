// The directory chooser under Wine's old-style Open dialog, driven through its
// controls from a helper thread.
#include "dialog_driver.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "setup/select_dir.h"

#include <gtest/gtest.h>

#include <dlgs.h>
#include <windows.h>

#include <functional>
#include <string>

namespace {
const char ChooserCaption[] = "Select Directory";
const std::string Root = "C:\\pelloran_chooser_test";
const std::string Start = Root + "\\Start Dir";
const std::string Child = Start + "\\Child";

std::string CurrentDirectory() {
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, current);
    return current;
}

class SelectDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        before = CurrentDirectory();
        for (const std::string& folder : {Root, Start, Child}) {
            ::CreateDirectoryA(folder.c_str(), nullptr);
        }
    }
    void TearDown() override {
        ::SetCurrentDirectoryA(before.c_str());
        for (const std::string& folder : {Child, Start, Root}) {
            ::RemoveDirectoryA(folder.c_str());
        }
    }

    // Runs the chooser from `startPath` with `script` acting as the user.
    INT_PTR Run(const std::string& startPath, std::function<void(DialogDriver&)> script) {
        chooser.path = startPath;
        DialogDriver driver(std::move(script));
        return chooser.DoModal();
    }

    CWinApp app; // names the message boxes
    CSelectDir chooser;
    std::string before;
};
} // namespace

TEST_F(SelectDirTest, ConfirmedAtOnceItReturnsTheStartFolderShownInTheReducedDialog) {
    std::string edit, fileName;
    int focus = 0;
    bool fileControlsHidden = true;
    const INT_PTR result = Run(Start, [&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, dialog);
        edit = user.Text(dialog, IDC_CHOOSER_PATH);
        fileName = user.Text(dialog, edt1);
        focus = user.FocusId();
        for (int id : {stc2, stc3, edt1, lst1, cmb1, stc1, chx1}) {
            fileControlsHidden = fileControlsHidden && !::IsWindowVisible(::GetDlgItem(dialog, id));
        }
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Start, chooser.path);
    EXPECT_EQ(Start, edit);
    EXPECT_EQ("dud", fileName);
    EXPECT_EQ(lst2, focus);
    EXPECT_TRUE(fileControlsHidden);
    EXPECT_EQ(Start, CurrentDirectory());
}

TEST_F(SelectDirTest, TheDriveRootKeepsItsBackslash) {
    const INT_PTR result = Run("C:\\", [](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, dialog);
        user.Press(VK_RETURN);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("C:\\", chooser.path);
}

TEST_F(SelectDirTest, AForwardSlashIsRefusedWithInvalidPathnameAndTheChooserStaysOpen) {
    MessageBoxSeen seen;
    bool stayedOpen = false;
    std::string editAfter;
    const INT_PTR result = Run(Start, [&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, dialog);
        user.SetText(dialog, IDC_CHOOSER_PATH, "C:/images");
        user.Click(dialog, IDOK);
        seen = ReadAndCloseMessageBox(user, "pelloran_chooser_tests");
        stayedOpen = ::IsWindowVisible(dialog) != FALSE;
        editAfter = user.Text(dialog, IDC_CHOOSER_PATH);
        user.Click(dialog, IDCANCEL);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ("pelloran_chooser_tests", seen.caption);
    EXPECT_EQ("Invalid pathname\nC:/images", seen.text);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ("C:/images", editAfter);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(SelectDirTest, ATypedMissingFolderAndAnEmptyEditAreAcceptedUnchanged) {
    for (const std::string typed : {"C:\\no such\\folder\\", "Q:odd", ""}) {
        const INT_PTR result = Run(Start, [&typed](DialogDriver& user) {
            HWND dialog = user.WaitForWindow(ChooserCaption);
            ASSERT_NE(nullptr, dialog);
            user.SetText(dialog, IDC_CHOOSER_PATH, typed);
            user.Click(dialog, IDOK);
            EXPECT_TRUE(user.WaitUntilGone(dialog));
        });
        EXPECT_EQ(IDOK, result) << typed;
        EXPECT_EQ(typed, chooser.path);
    }
}

TEST_F(SelectDirTest, OpeningASubfolderFormsItsPathAndTheStartFolderIsCurrentAgainAfterwards) {
    std::string edit, currentDuring;
    const INT_PTR result = Run(Start, [&](DialogDriver& user) {
        HWND dialog = user.WaitForWindow(ChooserCaption);
        ASSERT_NE(nullptr, dialog);
        HWND list = ::GetDlgItem(dialog, lst2);
        const int child =
            static_cast<int>(::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>("[Child]")));
        user.DoubleClickItem(list, child);
        user.WaitUntil([&] { return user.Text(dialog, IDC_CHOOSER_PATH) == Child; });
        edit = user.Text(dialog, IDC_CHOOSER_PATH);
        currentDuring = CurrentDirectory();
        user.Click(dialog, IDOK);
        EXPECT_TRUE(user.WaitUntilGone(dialog));
    });
    EXPECT_EQ(Child, edit);
    EXPECT_EQ(Child, currentDuring);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Child, chooser.path);
    EXPECT_EQ(Start, CurrentDirectory());
}
