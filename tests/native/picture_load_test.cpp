// Picture::Load: the names it accepts, the scale and reductions it chooses, the
// colours it decodes, and how it fails.
#include "decode/load_picture.h"
#include "display/dither.h"
#include "picture/picture.h"

#include "display/display_format.h"
#include "library/picture_names.h"
#include "picture/reduced_size.h"
#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace {
struct Rgb {
    int red, green, blue;
};

Rgb PixelAt(const Picture& picture, int x, int y) {
    const uint32_t p = picture.Pixels()[size_t(y) * size_t(picture.Width()) + size_t(x)];
    return {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
}

void ExpectNear(const Rgb& actual, const Rgb& expected, int tolerance) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
}

void ExpectFailedAndEmpty(const Picture& picture) {
    EXPECT_EQ(Picture::State::Failed, picture.GetState());
    EXPECT_EQ(nullptr, picture.Pixels());
    EXPECT_EQ(nullptr, picture.Header());
}

void ExpectDrawable(const Picture& picture) {
    EXPECT_EQ(Picture::State::Ready, picture.GetState());
    EXPECT_NE(nullptr, picture.Pixels());
    ASSERT_NE(nullptr, picture.Header());
}

// A 32 x 32 picture of four 16 x 16 quarters of pure colours: red, green over
// blue, white. Each quarter is a whole coding unit even in 4:2:0 files.
const Rgb Quarters[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

JpegRecipe QuarterRecipe() {
    JpegRecipe recipe;
    recipe.width = 32;
    recipe.height = 32;
    return recipe;
}

std::vector<uint8_t> QuarterSamples() {
    std::vector<uint8_t> samples;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Rgb& c = Quarters[(y / 16) * 2 + x / 16];
            samples.insert(samples.end(), {uint8_t(c.red), uint8_t(c.green), uint8_t(c.blue)});
        }
    }
    return samples;
}

class PictureLoadTest : public ::testing::Test {
protected:
    // Writes the file and loads it into picture with the given box.
    void LoadBytes(const std::vector<uint8_t>& bytes, int32_t maxWidth, int32_t maxHeight,
                   const std::string& name = "picture.jpg") {
        const std::string path = dir.File(name);
        WriteFile(path, bytes);
        picture = LoadPictureFile(path.c_str(), maxWidth, maxHeight);
    }
    void LoadUniform(int width, int height, int32_t maxWidth, int32_t maxHeight) {
        JpegRecipe recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.sampling = JpegSampling::Halved;
        recipe.quality = 75;
        LoadBytes(MakeJpeg(recipe, Uniform(recipe, {90, 140, 200})), maxWidth, maxHeight);
    }

    ScratchDir dir;
    Picture picture;
};

// The show loads bare names from the picture folder, its current directory.
TEST_F(PictureLoadTest, DecodesJpegNamesInAnyLetterCaseAndNothingElse) {
    const std::vector<uint8_t> jpeg = MakeJpeg(QuarterRecipe(), QuarterSamples());
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.File(""));
    for (const char* name :
         {"PHOTO.JPEG", "photo.jpg", "Photo.Jpg", "two.dots.jpeg", "photo.JPE", "photo.jFIF"}) {
        SCOPED_TRACE(name);
        WriteFile(name, jpeg);
        picture = LoadPictureFile(name, 100, 100);
        ExpectDrawable(picture);
    }
    // The same JPEG bytes under names that are not JPEG names are never decoded.
    for (const char* name : {"photo.gif", "photo.bmp", "photo.tif", "photo", ".jpg",
                             "photo.jpg.txt", "photo.jpgx", "photo.jp", "photo.jfi"}) {
        SCOPED_TRACE(name);
        WriteFile(name, jpeg);
        picture = LoadPictureFile(name, 100, 100);
        ExpectFailedAndEmpty(picture);
    }
    std::filesystem::current_path(previous);
}

// The walk takes JPEG names, and the names of the formats the platform
// decodes by their extensions, in any letter case.
TEST(PictureNamesTest, JpegNamesAndThePlatformsExtensionsInAnyCase) {
    const PictureNames names({"png", "TIFF"});
    for (const char* name : {"a.jpg", "b.PNG", "c.tiff", "d.Tiff", "e.f.png"}) {
        EXPECT_TRUE(names.IsPicture(name)) << name;
    }
    for (const char* name : {"a.tif", ".png", "png", "a.png.txt", "a.pngx", "a.gif"}) {
        EXPECT_FALSE(names.IsPicture(name)) << name;
    }
    EXPECT_FALSE(PictureNames().IsPicture("a.png"));
}

TEST_F(PictureLoadTest, MissingFileFails) {
    picture = LoadPictureFile(dir.File("absent.jpg").c_str(), 100, 100);
    ExpectFailedAndEmpty(picture);
}

struct FitCase {
    int width, height, maxWidth, maxHeight, fittedWidth, fittedHeight;
};

// 3000 x 2000 into 1024 x 768: decoded at 1/2 (1500 <= 1536, 1000 <= 1152); three
// quarters would still be 1125 wide, so two thirds: 1000 x 666.
// 1280 x 960 into 1024 x 768: decoded at full size, then three quarters.
// 1600 x 1200 into 800 x 600: decoded at 1/2 and fits at once.
// 300 x 200: smaller than the box, never enlarged.
// 1 x 5000 into 100 x 100: decoded at 1/8 (1 x 625), then halved to 1 x 312,
// 1 x 156 and 1 x 78: no side below 1; 3 x 3000 into 1920 x 1080: decoded at
// 1/2 (2 x 1500), then two thirds, 1 x 1000.
// 5000 x 40 into 1000 x 1000: 5000 / 4 = 1250 <= 1500 gives 1250 x 10, then
// three quarters 936 x 6 (whole 4 x 4 blocks only).
// Sizes at the limits, each one where the other side of a comparison differs:
// 1536 x 1152 into 1024 x 768: exactly one and a half times the box is decoded
// at full size, then two thirds. 1001 x 1401: the width allows 1/1, the height
// asks for 1/2, which libjpeg rounds up to 501 x 701. 1000 x 1024 and
// 1366 x 700: three quarters gives exactly the box's height (768) or width
// (1366 * 3 / 4 = 1024), and is taken. 1601 x 1201 into 800 x 600: decoded at
// 1/2 as 801 x 601, one column too wide, then three quarters.
TEST_F(PictureLoadTest, ChoosesTheScaleAndReductionsThatFitTheBox) {
    const FitCase cases[] = {
        {3000, 2000, 1024, 768, 1000, 666}, {1280, 960, 1024, 768, 960, 720},
        {1600, 1200, 800, 600, 800, 600},   {300, 200, 1024, 768, 300, 200},
        {1, 5000, 100, 100, 1, 78},         {3, 3000, 1920, 1080, 1, 1000},
        {5000, 40, 1000, 1000, 936, 6},     {1536, 1152, 1024, 768, 1024, 768},
        {1001, 1401, 1024, 768, 501, 701},  {1000, 1024, 1024, 768, 750, 768},
        {1366, 700, 1024, 768, 1023, 525},  {1601, 1201, 800, 600, 600, 450},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        LoadUniform(c.width, c.height, c.maxWidth, c.maxHeight);
        ExpectDrawable(picture);
        EXPECT_EQ(c.width, picture.SourceWidth());
        EXPECT_EQ(c.height, picture.SourceHeight());
        EXPECT_EQ(c.fittedWidth, picture.Width());
        EXPECT_EQ(c.fittedHeight, picture.Height());
        // A picture of another format gets the same size.
        const PictureSize other = ReducedSize(c.width, c.height, c.maxWidth, c.maxHeight);
        EXPECT_EQ(c.fittedWidth, other.width);
        EXPECT_EQ(c.fittedHeight, other.height);
        // 40 bytes, top-down (negative height), 1 plane, 32 bits, BI_RGB, 1000 pixels a metre.
        const BitmapInfoHeader expected{
            40, c.fittedWidth, -c.fittedHeight, 1, 32, 0, 0, 1000, 1000, 0, 0};
        EXPECT_EQ(0, std::memcmp(&expected, &picture.Header()->bmiHeader, sizeof expected));
    }
}

struct ColourCase {
    const char* name;
    JpegKind kind;
    JpegSampling sampling;
};

TEST_F(PictureLoadTest, DecodesColourFilesAsRgbPixels) {
    const ColourCase cases[] = {
        {"baseline 4:4:4", JpegKind::Baseline, JpegSampling::Full},
        {"baseline 4:2:0", JpegKind::Baseline, JpegSampling::Halved},
        {"progressive 4:4:4", JpegKind::Progressive, JpegSampling::Full},
        {"progressive 4:2:0", JpegKind::Progressive, JpegSampling::Halved},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        JpegRecipe recipe = QuarterRecipe();
        recipe.kind = c.kind;
        recipe.sampling = c.sampling;
        LoadBytes(MakeJpeg(recipe, QuarterSamples()), 100, 100);
        ExpectDrawable(picture);
        EXPECT_EQ(3, picture.Components());
        ASSERT_EQ(32, picture.Width());
        ASSERT_EQ(32, picture.Height());
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                EXPECT_EQ(0u, picture.Pixels()[y * 32 + x] >> 24) << "the fourth byte is 0";
                // Colour samples at half resolution blend across the quarters' borders.
                if (x % 16 == 0 || x % 16 == 15 || y % 16 == 0 || y % 16 == 15) {
                    continue;
                }
                ExpectNear(PixelAt(picture, x, y), Quarters[(y / 16) * 2 + x / 16], 3);
            }
        }
    }
}

TEST_F(PictureLoadTest, DecodesGreyFilesAsEqualChannels) {
    JpegRecipe recipe;
    recipe.colours = JpegColours::Grey;
    std::vector<uint8_t> samples;
    for (int i = 0; i < 256; ++i) {
        samples.push_back(uint8_t(i / 16 * 17)); // one level per row
    }
    LoadBytes(MakeJpeg(recipe, samples), 100, 100);
    ExpectDrawable(picture);
    EXPECT_EQ(1, picture.Components());
    for (int y = 0; y < 16; ++y) {
        const Rgb p = PixelAt(picture, 5, y);
        EXPECT_EQ(p.red, p.green);
        EXPECT_EQ(p.red, p.blue);
        EXPECT_NEAR(y * 17, p.red, 2);
    }
}

// Four-component files store inverted inks (255: none). Paper white, black ink,
// and the three pairs of coloured inks that make red, green and blue.
TEST_F(PictureLoadTest, ConvertsCmykAndYcckFilesToRgb) {
    struct Ink {
        std::vector<uint8_t> cmyk;
        Rgb rgb;
    };
    const Ink inks[] = {
        {{255, 255, 255, 255}, {255, 255, 255}}, {{255, 255, 255, 0}, {0, 0, 0}},
        {{255, 0, 0, 255}, {255, 0, 0}},         {{0, 255, 0, 255}, {0, 255, 0}},
        {{0, 0, 255, 255}, {0, 0, 255}},         {{255, 255, 255, 128}, {128, 128, 128}},
    };
    for (JpegColours colours : {JpegColours::Cmyk, JpegColours::Ycck}) {
        for (const Ink& ink : inks) {
            SCOPED_TRACE(testing::Message()
                         << (colours == JpegColours::Cmyk ? "CMYK " : "YCCK ") << ink.rgb.red << ","
                         << ink.rgb.green << "," << ink.rgb.blue);
            JpegRecipe recipe;
            recipe.colours = colours;
            LoadBytes(MakeJpeg(recipe, Uniform(recipe, ink.cmyk)), 100, 100);
            ExpectDrawable(picture);
            EXPECT_EQ(4, picture.Components());
            ExpectNear(PixelAt(picture, 7, 7), ink.rgb, 3);
        }
    }
}

TEST_F(PictureLoadTest, FilesOfOtherComponentCountsFail) {
    JpegRecipe recipe;
    recipe.colours = JpegColours::TwoComponents;
    LoadBytes(MakeJpeg(recipe, Uniform(recipe, {10, 20})), 100, 100);
    ExpectFailedAndEmpty(picture);
}

TEST_F(PictureLoadTest, BrokenFileFailsAndTheNextLoadWorks) {
    const std::vector<uint8_t> good = MakeJpeg(QuarterRecipe(), QuarterSamples());
    std::vector<uint8_t> badTables = good;
    badTables.resize(30); // cut inside the quantisation table
    const std::vector<std::vector<uint8_t>> broken = {
        {}, {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'}, badTables};
    for (const std::vector<uint8_t>& bytes : broken) {
        LoadBytes(bytes, 100, 100);
        ExpectFailedAndEmpty(picture);
        LoadBytes(good, 100, 100);
        ExpectDrawable(picture);
        EXPECT_EQ(32, picture.Width());
        ExpectNear(PixelAt(picture, 31, 31), {255, 255, 255}, 3);
    }
}

// An APP1 marker whose length is 0 or 1, too short for the length field itself,
// holds no data: the photo decodes, and the Exif block right after it turns it.
TEST_F(PictureLoadTest, App1MarkerShorterThanItsLengthFieldIsSkipped) {
    JpegRecipe recipe;
    recipe.width = 64;
    recipe.height = 32;
    recipe.app1 = ExifBlock(6);
    const std::vector<uint8_t> jpeg = MakeJpeg(recipe, Uniform(recipe, {9, 9, 9}));
    for (const uint8_t length : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "length " << int(length));
        std::vector<uint8_t> bytes = jpeg;
        const uint8_t empty[] = {0xFF, 0xE1, 0x00, length};
        bytes.insert(bytes.begin() + 2, std::begin(empty), std::end(empty)); // after SOI
        LoadBytes(bytes, 100, 100);
        ExpectDrawable(picture);
        EXPECT_EQ(32, picture.Width());
        EXPECT_EQ(64, picture.Height());
    }
}

// A photo cut off halfway shows the rows its data holds, exactly as the whole
// file decodes them, and none of the empty blocks after them; libjpeg's
// warning about it is printed nowhere.
TEST_F(PictureLoadTest, CutOffPhotoShowsTheRowsItsDataHolds) {
    JpegRecipe recipe;
    recipe.width = 400;
    recipe.height = 300;
    const std::vector<uint8_t> whole = MakeJpeg(recipe, PhotoSamples(400, 300));
    LoadBytes(whole, 400, 300);
    ASSERT_TRUE(picture.IsDrawable());
    const std::vector<uint32_t> full(picture.Pixels(), picture.Pixels() + 400 * 300);

    ::testing::internal::CaptureStderr();
    LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2), 400, 300);
    EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "libjpeg's warning is printed";
    ExpectDrawable(picture);
    EXPECT_EQ(400, picture.Width());
    EXPECT_GT(picture.Height(), 300 / 3);
    EXPECT_LT(picture.Height(), 300);
    EXPECT_TRUE(
        std::equal(picture.Pixels(), picture.Pixels() + 400 * picture.Height(), full.begin()));
}

// A progressive photo cut off shows the whole picture, as coarse as the scans
// it holds leave it.
TEST_F(PictureLoadTest, CutOffProgressivePhotoShowsTheWholePicture) {
    JpegRecipe recipe;
    recipe.width = 400;
    recipe.height = 300;
    recipe.kind = JpegKind::Progressive;
    const std::vector<uint8_t> whole = MakeJpeg(recipe, PhotoSamples(400, 300));
    LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() * 2 / 3), 400, 300);
    ExpectDrawable(picture);
    EXPECT_EQ(300, picture.Height());
}

// An interval of a photo with restart markers that is cut short (damaged data)
// meets its restart marker early; the next interval goes on, and the photo is
// decoded to its last row.
TEST_F(PictureLoadTest, AnIntervalCutShortDoesNotEndThePhoto) {
    JpegRecipe recipe;
    recipe.width = 400;
    recipe.height = 300;
    recipe.restartInterval = 50; // a row of coding units
    std::vector<uint8_t> jpeg = MakeJpeg(recipe, PhotoSamples(400, 300));
    std::vector<size_t> restarts;
    const uint8_t startOfScan[] = {0xFF, 0xDA};
    const auto scan = std::search(jpeg.begin(), jpeg.end(), startOfScan, startOfScan + 2);
    for (size_t i = size_t(scan - jpeg.begin()); i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] & 0xF8) == 0xD0) {
            restarts.push_back(i);
        }
    }
    ASSERT_GT(restarts.size(), 30u);
    // The second half of the data of the interval before the tenth marker.
    size_t cut = (restarts[8] + 2 + restarts[9]) / 2;
    while (jpeg[cut - 1] == 0xFF) {
        ++cut;
    }
    jpeg.erase(jpeg.begin() + std::ptrdiff_t(cut), jpeg.begin() + std::ptrdiff_t(restarts[9]));
    LoadBytes(jpeg, 400, 300);
    ExpectDrawable(picture);
    EXPECT_EQ(300, picture.Height());
}

// A progressive file made of endless scans would hold the show for minutes; past
// a generous number of scans it fails, while an unusual but sane count loads.
TEST_F(PictureLoadTest, FileWithAbsurdlyManyScansFails) {
    JpegRecipe recipe = QuarterRecipe();
    recipe.kind = JpegKind::Progressive;
    const std::vector<uint8_t> jpeg = MakeJpeg(recipe, QuarterSamples());

    std::vector<uint8_t> many = jpeg;
    RepeatLastScan(many, 100);
    LoadBytes(many, 100, 100);
    ExpectDrawable(picture);

    std::vector<uint8_t> absurd = jpeg;
    RepeatLastScan(absurd, 1000);
    LoadBytes(absurd, 100, 100);
    ExpectFailedAndEmpty(picture);
}

TEST_F(PictureLoadTest, FreeAndLoadStartFromEmpty) {
    const DisplayFormat palette = ClassifyDisplay(8);
    LoadBytes(MakeJpeg(QuarterRecipe(), QuarterSamples()), 100, 100);
    ASSERT_TRUE(PrepareDraw(picture, palette));
    picture.Free();
    EXPECT_EQ(Picture::State::Empty, picture.GetState());
    EXPECT_FALSE(picture.IsDrawable());
    EXPECT_EQ(nullptr, picture.Pixels());
    EXPECT_EQ(nullptr, picture.Header());
    EXPECT_EQ(32, picture.Width()) << "Free leaves the size alone";

    LoadBytes(MakeJpeg(QuarterRecipe(), QuarterSamples()), 100, 100);
    ASSERT_TRUE(PrepareDraw(picture, palette));
    LoadBytes(MakeJpeg(QuarterRecipe(), QuarterSamples()), 100, 100);
    EXPECT_EQ(Picture::State::Ready, picture.GetState()) << "a new picture is not dithered yet";
}
} // namespace
