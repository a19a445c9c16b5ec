// The folder formed from the chooser's directory list, in both of the layouts
// the platform uses.
#include "setup/chooser_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {
const std::optional<std::string> None;

// The chain from the root down to C:\images\new, then the subfolders of "new".
const std::vector<std::string> Chain = {"C:\\", "images", "new", "alpha", "beta"};
const std::string ChainFolder = "C:\\images\\new";
} // namespace

TEST(ChooserPath, ChainEntriesJoinFromTheRootToTheSelectedOne) {
    EXPECT_EQ("C:\\", FormChooserPath(Chain, 0, ChainFolder));
    EXPECT_EQ("C:\\images", FormChooserPath(Chain, 1, ChainFolder));
    EXPECT_EQ("C:\\images\\new", FormChooserPath(Chain, 2, ChainFolder));
}

TEST(ChooserPath, AChainSubfolderIsTheCurrentFolderPlusItsNameWithoutItsSiblings) {
    EXPECT_EQ("C:\\images\\new\\alpha", FormChooserPath(Chain, 3, ChainFolder));
    EXPECT_EQ("C:\\images\\new\\beta", FormChooserPath(Chain, 4, ChainFolder));
    // At the root, the subfolders follow the root entry directly.
    const std::vector<std::string> atRoot = {"C:\\", "images", "windows"};
    EXPECT_EQ("C:\\windows", FormChooserPath(atRoot, 2, "C:\\"));
    EXPECT_EQ("C:\\", FormChooserPath(atRoot, 0, "C:\\"));
}

TEST(ChooserPath, AChainWithoutASelectionFormsNothing) {
    EXPECT_EQ(None, FormChooserPath(Chain, -1, ChainFolder));
}

TEST(ChooserPath, BracketedEntriesApplyToTheCurrentFolder) {
    const std::vector<std::string> list = {"[..]", "[Alpha Dir]", "[beta]"};
    EXPECT_EQ("C:\\images\\new", FormChooserPath(list, 0, "C:\\images\\new\\x"));
    EXPECT_EQ("C:\\images\\Alpha Dir", FormChooserPath(list, 1, "C:\\images"));
    EXPECT_EQ("C:\\images\\beta", FormChooserPath(list, 2, "C:\\images\\"));
    EXPECT_EQ("C:\\", FormChooserPath(list, 0, "C:\\images"));
    EXPECT_EQ("C:\\beta", FormChooserPath(list, 2, "C:\\"));
}

TEST(ChooserPath, BracketedListWithoutASelectionNamesTheCurrentFolder) {
    const std::vector<std::string> list = {"[..]", "[sub]"};
    EXPECT_EQ("C:\\images", FormChooserPath(list, -1, "C:\\images"));
    // At a root without subfolders the list is empty; the root keeps its backslash.
    EXPECT_EQ("D:\\", FormChooserPath({}, -1, "D:\\"));
}

TEST(ChooserPath, TheSevenForbiddenCharacters) {
    for (const char* bad : {"C:/images", "a*", "a?", "a|b", "<a", "a>", "\"a\""}) {
        EXPECT_TRUE(HasForbiddenPathCharacter(bad)) << bad;
    }
    for (const char* good : {"", "C:\\images", "C:images:x", "D:\\no such folder", "\\\\x\\y"}) {
        EXPECT_FALSE(HasForbiddenPathCharacter(good)) << good;
    }
}
