#include "app/mode_switch.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MatchSwitchTest, AcceptsOneOptionalPrefixAndAnyCase) {
    for (const char* argument : {"s", "S", "/s", "/S", "-s", "-S"}) {
        EXPECT_TRUE(MatchSwitch(argument, "s")) << argument;
    }
}

TEST(MatchSwitchTest, RefusesAnythingElse) {
    for (const char* argument :
         {"", "-", "/", "//s", "-/s", "/-s", "s:", "/c:1234", "ss", " s", "s ", "/x", "x"}) {
        EXPECT_FALSE(MatchSwitch(argument, "s")) << argument;
        EXPECT_FALSE(MatchSwitch(argument, "c")) << argument;
    }
}

TEST(ReadDecimalTest, ReadsLikeAtol) {
    EXPECT_EQ(4321, ReadDecimal("4321"));
    EXPECT_EQ(12, ReadDecimal("12ab"));
    EXPECT_EQ(0, ReadDecimal("ab12"));
    EXPECT_EQ(0, ReadDecimal(""));
    EXPECT_EQ(-7, ReadDecimal("  \t-7"));
    EXPECT_EQ(8, ReadDecimal("+8"));
    EXPECT_EQ(0, ReadDecimal("- 8"));
    EXPECT_EQ(INT32_MAX, ReadDecimal("99999999999999999999"));
    EXPECT_EQ(INT32_MIN, ReadDecimal("-99999999999999999999"));
}

namespace {
StartRequest Read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "Pelloran.scr");
    return ReadStartRequest(static_cast<int>(arguments.size()), arguments.data());
}
} // namespace

TEST(ReadStartRequestTest, ModeTable) {
    EXPECT_EQ(SaverMode::Setup, Read({}).mode);
    for (const char* c : {"/c", "-C", "c"}) {
        EXPECT_EQ(SaverMode::Setup, Read({c}).mode) << c;
    }
    for (const char* s : {"/s", "-s", "s", "/S", "S"}) {
        EXPECT_EQ(SaverMode::Show, Read({s}).mode) << s;
    }
    EXPECT_EQ(SaverMode::Show, Read({"/s", "extra"}).mode);
    for (const char* other : {"/x", "//s", "-", "/p4321", "c:", "/c:", "c:abc", "/c:12x", "/c:-5",
                              "/c: 5", "//c:5", "/c 5", "/s:5", "/c:5:6"}) {
        EXPECT_EQ(SaverMode::None, Read({other}).mode) << other;
    }
}

// Screen Saver Settings starts the setup with its own window's handle.
TEST(ReadStartRequestTest, SetupReadsTheOwnerAfterTheColon) {
    for (const char* c : {"/c:1234", "-C:1234", "c:1234", "/c:0001234"}) {
        const StartRequest request = Read({c});
        EXPECT_EQ(SaverMode::Setup, request.mode) << c;
        EXPECT_EQ(1234, request.setupOwner) << c;
    }
    EXPECT_EQ(0, Read({"/c"}).setupOwner);
    EXPECT_EQ(INT32_MAX, Read({"/c:99999999999"}).setupOwner);
}

TEST(ReadStartRequestTest, PreviewReadsTheHandleFromTheSecondArgument) {
    StartRequest request = Read({"/p", "4321"});
    EXPECT_EQ(SaverMode::Preview, request.mode);
    EXPECT_EQ(4321, request.previewParent);
    EXPECT_EQ(12, Read({"/p", "12ab", "ignored"}).previewParent);
    // Without a handle the preview names no window, and the program ends quietly.
    EXPECT_EQ(SaverMode::None, Read({"p"}).mode);
}
