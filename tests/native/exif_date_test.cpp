// The day a photo was taken: Exif's date text, where the block keeps it, and
// blocks not to be trusted.
#include "decode/exif_date.h"
#include "decode/load_picture.h"
#include "picture/picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string Text(const std::optional<TakenDate>& date) {
    char text[32] = "none";
    if (date) {
        std::snprintf(text, sizeof text, "%04d:%02d:%02d", date->year, date->month, date->day);
    }
    return text;
}

std::string DateOf(const std::vector<uint8_t>& block) {
    return Text(ExifTakenDate(block.data(), block.size()));
}

TEST(ExifDateTest, TextsOfRealDaysOnly) {
    for (const char* text : {"2023:07:14 12:30:05", "2023:07:14", "2000:02:29 00:00:00",
                             "2024:02:29 00:00:00", "2023:12:31 23:59:59"}) {
        EXPECT_EQ(std::string(text, 10), Text(ParseExifDate(text)));
    }
    EXPECT_EQ("2023:07:14", Text(ParseExifDate("2023-07-14T12:30")));
    for (const char* text : {"2023:02:29 00:00:00", "1900:02:29 00:00:00", "2023:04:31 00:00:00",
                             "2023:13:01 00:00:00", "2023:00:10 00:00:00", "0000:00:00 00:00:00",
                             "    :  :     :  :  ", "2023:07:1x 00:00:00", "2023:07-14 00:00:00",
                             "2023:07:14x", "2023:07:1", ""}) {
        EXPECT_EQ("none", Text(ParseExifDate(text))) << text;
    }
}

// DateTimeOriginal comes from the Exif directory in both byte orders; IFD0's
// DateTime, the day of an edit, is never taken for it.
TEST(ExifDateTest, OnlyTheExifDirectorysDateTimeOriginalIsTheDateTaken) {
    const char* edited = "2024:01:02 10:00:00";
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        EXPECT_EQ("2019:08:30", DateOf(ExifBlock(1, order, "2019:08:30 18:04:12", edited)));
        EXPECT_EQ("none", DateOf(ExifBlock(1, order, "", edited)));
        EXPECT_EQ("none", DateOf(ExifBlock(1, order)));
    }
}

// The block ends with the date's text; its directory's offset and the text's
// offset and count are at fixed places (little-endian, from the block's start).
TEST(ExifDateTest, UntrustworthyBlocksGiveNoDate) {
    const std::vector<uint8_t> good = ExifBlock(1, ByteOrder::Little, "2019:08:30 18:04:12");
    ASSERT_EQ("2019:08:30", DateOf(good));
    for (size_t size = 0; size < good.size(); ++size) {
        EXPECT_EQ("none", DateOf({good.begin(), good.begin() + ptrdiff_t(size)})) << size;
    }
    // The Exif directory at IFD0 (a loop) and outside; the text's count past
    // the end and over four bytes; the text's offset outside; its type; the
    // count of the Exif directory's offset (two offsets); IFD0 counting only
    // the entries before that offset, and the Exif directory none.
    const std::pair<size_t, uint8_t> corruptions[] = {
        {48, 8}, {50, 0xFF}, {71, 1}, {69, 4}, {74, 0x7F}, {67, 7}, {44, 2}, {14, 2}, {63, 0}};
    for (const auto& [offset, byte] : corruptions) {
        std::vector<uint8_t> bad = good;
        bad[offset] = byte;
        EXPECT_EQ("none", DateOf(bad)) << offset;
    }
}

// A loaded JPEG file carries its date, and the next load of one without, or
// of a file that fails, leaves none behind.
TEST(ExifDateTest, PictureLoadCarriesTheDate) {
    const ScratchDir dir;
    JpegRecipe recipe;
    recipe.app1 = ExifBlock(6, ByteOrder::Big, "2021:12:31 23:59:59");
    WriteFile(dir.File("dated.jpg"), MakeJpeg(recipe, Uniform(recipe, {90, 90, 90})));
    recipe.app1.clear();
    WriteFile(dir.File("undated.jpg"), MakeJpeg(recipe, Uniform(recipe, {90, 90, 90})));
    Picture picture;
    picture = LoadPictureFile(dir.File("dated.jpg").c_str(), 100, 100, Picture::Sizing::Fit);
    const Picture moved = std::move(picture);
    EXPECT_EQ("2021:12:31", Text(moved.Taken()));
    for (const char* next : {"undated.jpg", "missing.jpg"}) {
        picture = LoadPictureFile(dir.File("dated.jpg").c_str(), 100, 100);
        picture = LoadPictureFile(dir.File(next).c_str(), 100, 100);
        EXPECT_EQ("none", Text(picture.Taken())) << next;
    }
}
} // namespace
