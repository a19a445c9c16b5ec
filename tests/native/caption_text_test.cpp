// The caption's line: where a picture lies, the line itself, its shortening to
// a width, and its place on the picture.
#include "show/caption_text.h"

#include <gtest/gtest.h>

namespace {
// Ten units for every character (every byte but UTF-8's continuation bytes).
int32_t TenPerCharacter(const std::string& text) {
    int32_t width = 0;
    for (const char c : text) {
        width += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 10;
    }
    return width;
}

TEST(CaptionTextTest, PlaceIsTheFoldersOrTheNameAndTheLineJoinsDateAndPlace) {
    const std::pair<const char*, const char*> places[] = {
        {"2023\\Holiday\\IMG_0042.JPG", "2023 \u203A Holiday"},
        {"2023/Holiday/IMG_0042.JPG", "2023 \u203A Holiday"},
        {"IMG_0042.JPG", "IMG_0042.JPG"},
        {"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1\\\u6771\u4EAC\\\u5199\u771F.jpg",
         "\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u203A \u6771\u4EAC"},
        {"a\\\\b\\c.jpg", "a \u203A b"},
        {"\\c.jpg", "c.jpg"},
        {"a\\b\\", "a \u203A b"},
        {"", ""}};
    for (const auto& [name, place] : places) {
        EXPECT_EQ(place, CaptionPlace(name)) << name;
    }
    EXPECT_EQ("14/07/2023  \u00B7  2023", CaptionLine("14/07/2023", "2023"));
    EXPECT_EQ("14/07/2023", CaptionLine("14/07/2023", ""));
    EXPECT_EQ("x.jpg", CaptionLine("", "x.jpg"));
}

// Cuts fall between whole characters, never between a letter and its accent,
// and leave out the spaces and separator they would end in.
TEST(CaptionTextTest, EllipsizedKeepsTheLongestBeginningThatFits) {
    const std::tuple<const char*, int32_t, const char*> cases[] = {
        {"Holiday", 70, "Holiday"},
        {"Holiday", 69, "Holid\u2026"},
        {"2023 \u203A Holiday", 70, "2023\u2026"},
        {"\u6771\u4EAC\u30BF\u30EF\u30FC", 35, "\u6771\u4EAC\u2026"},
        {"e\u0301e\u0301e\u0301", 40, "e\u0301\u2026"},
        // Hebrew points, a Devanagari virama and vowel sign, and flags stay whole.
        {"\u05E9\u05B8\u05C1\u05DC\u05D5\u05B9\u05DD", 65, "\u05E9\u05B8\u05C1\u05DC\u2026"},
        {"\u0928\u092E\u0938\u094D\u0924\u0947", 45, "\u0928\u092E\u2026"},
        {"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA\U0001F1EE\U0001F1F9", 45,
         "\U0001F1EB\U0001F1F7\u2026"},
        {"Holiday", 10, "\u2026"},
        {"Holiday", 9, ""}};
    for (const auto& [text, width, expected] : cases) {
        EXPECT_EQ(expected, Ellipsized(text, width, TenPerCharacter)) << text << " " << width;
    }
    int calls = 0;
    const std::string shortened = Ellipsized(std::string(1000, 'x'), 5000, [&](auto& text) {
        ++calls;
        return TenPerCharacter(text);
    });
    EXPECT_EQ(std::string(499, 'x') + "\u2026", shortened);
    EXPECT_LE(calls, 12);
}

TEST(CaptionTextTest, LayoutKeepsHalfALineFromTheEdgesOfPicturesLargeEnough) {
    const CaptionBox box = CaptionLayout(1000, 800, 20);
    EXPECT_EQ((std::vector<int32_t>{10, 770, 980, 20}),
              (std::vector<int32_t>{box.left, box.top, box.maxWidth, box.height}));
    EXPECT_TRUE(CaptionLayout(120, 40, 20).Shown());
    for (const auto& [width, height, line] :
         {std::tuple{119, 800, 20}, {1000, 39, 20}, {1000, 800, 0}}) {
        EXPECT_FALSE(CaptionLayout(width, height, line).Shown()) << width << "x" << height;
    }
    // The next captions move right and up, and the fifth comes back.
    const CaptionBox moved = CaptionLayout(1000, 800, 24, 3);
    EXPECT_EQ((std::vector<int32_t>{21, 755, 967}),
              (std::vector<int32_t>{moved.left, moved.top, moved.maxWidth}));
    EXPECT_EQ(CaptionLayout(1000, 800, 24, 0).left, CaptionLayout(1000, 800, 24, 4).left);
}
} // namespace
