// Pictures of the formats the Windows Imaging Component decodes, written by its
// own encoders: each format at the size a JPEG file of its size gets, the first
// frame or page, transparency over black, a tall picture copied in strips, an
// animated GIF's first frame on its logical screen, a large PNG's decode
// stopped, the formats listed, and the files that are skipped.
#include "decode/load_picture.h"
#include "decode/platform_decoder.h"
#include "picture/picture.h"
#include "picture/reduced_size.h"
#include "show/show_worker.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {
// A colour of a picture: its pixel where opaque, nothing (black) where not.
struct Paint {
    COLORREF colour;
    bool opaque = true;
};

class WicPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_TRUE(
            SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(factory.GetAddressOf()))));
    }
    void TearDown() override {
        factory.Reset();
        ::CoUninitialize();
    }

    std::string File(const char* name) const { return folder.Path() + "\\" + name; }

    // Writes one frame per entry of `frames`, each of one paint: its upper
    // half, and its lower half as `lower` gives (the same paint when null).
    void Write(const char* name, const GUID& container, const GUID& format, UINT width, UINT height,
               const std::vector<Paint>& frames, const Paint* lower = nullptr) {
        const std::string file = File(name);
        const std::wstring path(file.begin(), file.end());
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ASSERT_TRUE(SUCCEEDED(factory->CreateStream(stream.GetAddressOf())));
        ASSERT_TRUE(SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)));
        ASSERT_TRUE(SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.GetAddressOf())));
        ASSERT_TRUE(SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)));
        for (const Paint& upper : frames) {
            ComPtr<IWICBitmapFrameEncode> frame;
            ASSERT_TRUE(SUCCEEDED(encoder->CreateNewFrame(frame.GetAddressOf(), nullptr)));
            ASSERT_TRUE(SUCCEEDED(frame->Initialize(nullptr)));
            ASSERT_TRUE(SUCCEEDED(frame->SetSize(width, height)));
            GUID written = format;
            ASSERT_TRUE(SUCCEEDED(frame->SetPixelFormat(&written)));
            ASSERT_TRUE(written == format) << name << ": the encoder wants another format";
            const Paint bottom = lower != nullptr ? *lower : upper;
            UINT stride = 0;
            std::vector<BYTE> pixels = Pixels(written, width, height, upper, bottom, stride);
            if (written == GUID_WICPixelFormat8bppIndexed) {
                ComPtr<IWICPalette> palette;
                WICColor colours[2] = {Argb(upper), Argb(bottom)};
                ASSERT_TRUE(SUCCEEDED(factory->CreatePalette(palette.GetAddressOf())));
                ASSERT_TRUE(SUCCEEDED(palette->InitializeCustom(colours, 2)));
                ASSERT_TRUE(SUCCEEDED(frame->SetPalette(palette.Get())));
            }
            ASSERT_TRUE(
                SUCCEEDED(frame->WritePixels(height, stride, UINT(pixels.size()), pixels.data())));
            ASSERT_TRUE(SUCCEEDED(frame->Commit()));
        }
        ASSERT_TRUE(SUCCEEDED(encoder->Commit()));
    }

    static WICColor Argb(const Paint& paint) {
        return (paint.opaque ? 0xFF000000u : 0u) | GetRValue(paint.colour) << 16 |
               GetGValue(paint.colour) << 8 | GetBValue(paint.colour);
    }

    // The rows of the upper paint, then of the lower, in the pixel format.
    static std::vector<BYTE> Pixels(const GUID& format, UINT width, UINT height, const Paint& upper,
                                    const Paint& lower, UINT& stride) {
        const UINT bits = format == GUID_WICPixelFormat32bppBGRA     ? 32
                          : format == GUID_WICPixelFormat24bppBGR    ? 24
                          : format == GUID_WICPixelFormat8bppIndexed ? 8
                                                                     : 1;
        stride = (width * bits + 31) / 32 * 4;
        std::vector<BYTE> pixels(std::size_t(stride) * height);
        for (UINT y = 0; y < height; ++y) {
            const Paint& paint = y < height / 2 ? upper : lower;
            BYTE* row = pixels.data() + std::size_t(y) * stride;
            for (UINT x = 0; x < width; ++x) {
                const BYTE bgra[4] = {GetBValue(paint.colour), GetGValue(paint.colour),
                                      GetRValue(paint.colour), BYTE(paint.opaque ? 255 : 0)};
                if (bits >= 24) {
                    std::copy(bgra, bgra + bits / 8, row + x * (bits / 8));
                } else if (bits == 8) {
                    row[x] = y < height / 2 ? 0 : 1;
                } else if (paint.colour != RGB(0, 0, 0)) {
                    row[x / 8] |= BYTE(0x80 >> (x % 8));
                }
            }
        }
        return pixels;
    }

    Picture Load(const char* name, int32_t boxWidth = 1024, int32_t boxHeight = 768,
                 Picture::Sizing sizing = Picture::Sizing::Reduce) const {
        Picture picture;
        picture = LoadPictureFile(File(name).c_str(), boxWidth, boxHeight, sizing);
        return picture;
    }

    static COLORREF At(const Picture& picture, int32_t x, int32_t y) {
        const uint32_t p = picture.Pixels()[std::size_t(y) * std::size_t(picture.Width()) + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }

    PictureFolder folder;
    ComPtr<IWICImagingFactory> factory;
};
} // namespace

// PNG (24-bit, palette, 1-bit), GIF, BMP and TIFF: each is decoded at the size
// a JPEG file of 1280 x 960 gets in a 1024 x 768 box; the first frame of an
// animated GIF and the first page of a TIFF are the ones shown.
TEST_F(WicPictureTest, EachFormatIsShownAtTheSizeAJpegGets) {
    const struct {
        const char* name;
        GUID container;
        GUID format;
        std::vector<Paint> frames;
    } files[] = {
        {"rgb.png", GUID_ContainerFormatPng, GUID_WICPixelFormat24bppBGR, {{Red}}},
        {"palette.png", GUID_ContainerFormatPng, GUID_WICPixelFormat8bppIndexed, {{Blue}}},
        {"one-bit.png",
         GUID_ContainerFormatPng,
         GUID_WICPixelFormatBlackWhite,
         {{RGB(255, 255, 255)}}},
        {"animated.gif", GUID_ContainerFormatGif, GUID_WICPixelFormat8bppIndexed, {{Green}, {Red}}},
        {"picture.bmp", GUID_ContainerFormatBmp, GUID_WICPixelFormat24bppBGR, {{Blue}}},
        {"pages.tiff", GUID_ContainerFormatTiff, GUID_WICPixelFormat24bppBGR, {{Red}, {Green}}},
    };
    const PictureSize expected = ReducedSize(1280, 960, 1024, 768);
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        Write(file.name, file.container, file.format, 1280, 960, file.frames);
        const Picture picture = Load(file.name);
        ASSERT_TRUE(picture.IsDrawable());
        EXPECT_EQ(expected.width, picture.Width());
        EXPECT_EQ(expected.height, picture.Height());
        EXPECT_PRED2(Near, At(picture, picture.Width() / 2, picture.Height() / 2),
                     file.frames.front().colour);
    }
}

// Transparent parts are drawn over black; a picture far taller than a strip
// of rows is fitted whole, its last rows in place.
TEST_F(WicPictureTest, TransparencyIsOverBlackAndTallPicturesComeInStrips) {
    const Paint clear{RGB(255, 255, 255), false};
    Write("half.png", GUID_ContainerFormatPng, GUID_WICPixelFormat32bppBGRA, 64, 64, {{Green}},
          &clear);
    Picture picture = Load("half.png");
    ASSERT_TRUE(picture.IsDrawable());
    EXPECT_PRED2(Near, At(picture, 32, 8), Green);
    EXPECT_PRED2(Near, At(picture, 32, 56), Black);

    const Paint bottom{Blue};
    Write("tall.png", GUID_ContainerFormatPng, GUID_WICPixelFormat24bppBGR, 400, 20000, {{Red}},
          &bottom);
    picture = Load("tall.png", 1024, 768, Picture::Sizing::Fit);
    ASSERT_TRUE(picture.IsDrawable());
    EXPECT_EQ(768, picture.Height());
    EXPECT_PRED2(Near, At(picture, picture.Width() / 2, 10), Red);
    EXPECT_PRED2(Near, At(picture, picture.Width() / 2, 757), Blue);
}

// A GIF's image: an image descriptor at (left, top) of width x height pixels of
// one palette index, its data uncompressed as LZW codes go: 3-bit codes, a
// clear code before every two pixels, so that the code table never grows to
// 4-bit codes.
void AddGifImage(std::vector<uint8_t>& gif, uint16_t left, uint16_t top, uint16_t width,
                 uint16_t height, uint8_t index) {
    gif.push_back(0x2C);
    for (const uint16_t value : {left, top, width, height}) {
        gif.insert(gif.end(), {uint8_t(value), uint8_t(value >> 8)});
    }
    gif.insert(gif.end(), {0x00, 0x02}); // no palette of its own; codes start 3 bits wide
    constexpr uint32_t Clear = 4, End = 5;
    std::vector<uint8_t> data;
    uint32_t bits = 0;
    int held = 0;
    const auto put = [&](uint32_t code) {
        bits |= code << held;
        for (held += 3; held >= 8; held -= 8, bits >>= 8) {
            data.push_back(uint8_t(bits));
        }
    };
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0) {
            put(Clear);
        }
        put(index);
    }
    put(End);
    if (held > 0) {
        data.push_back(uint8_t(bits));
    }
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t count = std::min<size_t>(255, data.size() - at);
        gif.push_back(uint8_t(count));
        gif.insert(gif.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + count));
    }
    gif.push_back(0x00);
}

// An animated GIF whose first frame, red, covers 8 x 6 pixels at (4, 2) of its
// 16 x 12 logical screen (whose background is green) and whose second covers
// it all is shown as the screen: the frame in its place, black around it. A
// screen too small for the frame where it lies grows to hold it.
TEST_F(WicPictureTest, AnAnimatedGifsFirstFrameIsShownOnItsLogicalScreen) {
    const auto write = [&](const char* name, uint16_t screenWidth, uint16_t screenHeight) {
        std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
        gif.insert(gif.end(), {uint8_t(screenWidth), 0, uint8_t(screenHeight), 0, 0x80, 0, 0});
        gif.insert(gif.end(), {GetRValue(Green), GetGValue(Green), GetBValue(Green)});
        gif.insert(gif.end(), {GetRValue(Red), GetGValue(Red), GetBValue(Red)});
        AddGifImage(gif, 4, 2, 8, 6, 1);
        AddGifImage(gif, 0, 0, screenWidth, screenHeight, 0);
        gif.push_back(0x3B);
        std::ofstream(File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(gif.data()), std::streamsize(gif.size()));
    };
    write("screen.gif", 16, 12);
    Picture picture = Load("screen.gif");
    ASSERT_TRUE(picture.IsDrawable());
    ASSERT_EQ(16, picture.Width());
    ASSERT_EQ(12, picture.Height());
    for (int32_t y = 0; y < 12; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const bool frame = x >= 4 && x < 12 && y >= 2 && y < 8;
            EXPECT_PRED2(Near, At(picture, x, y), frame ? Red : Black) << x << ", " << y;
        }
    }
    write("small-screen.gif", 6, 4);
    picture = Load("small-screen.gif");
    ASSERT_TRUE(picture.IsDrawable());
    EXPECT_EQ(12, picture.Width());
    EXPECT_EQ(8, picture.Height());
    EXPECT_PRED2(Near, At(picture, 11, 7), Red);
    EXPECT_PRED2(Near, At(picture, 3, 1), Black);
}

// A decode of a 100-megapixel PNG (which Wine's decoder decodes whole while the
// file is opened, for about a second) stopped under way ends well within the
// time the show waits for its worker.
TEST_F(WicPictureTest, ALargePngsDecodeStopsSoonAfterTheStop) {
    Write("large.png", GUID_ContainerFormatPng, GUID_WICPixelFormat24bppBGR, 10000, 10000, {{Red}});
    const std::string path = File("large.png");
    std::atomic_bool stop{false};
    Picture picture;
    std::thread decode(
        [&] { picture = LoadPictureFile(path.c_str(), 1024, 768, Picture::Sizing::Fit, &stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto stopped = std::chrono::steady_clock::now();
    stop = true;
    decode.join();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - stopped);
    EXPECT_EQ(Picture::State::Failed, picture.GetState()) << "the decode was over before the stop";
    EXPECT_LT(took.count(), ShowWorker::Patience.count());
}

// The formats come from the component itself: PNG, GIF, BMP and TIFF here,
// JPEG left to libjpeg, and no icons or textures.
TEST_F(WicPictureTest, TheFormatsListedAreThePhotoFormatsOfTheInstalledDecoders) {
    const std::vector<std::string> listed = PlatformPictureExtensions();
    for (const char* expected : {"png", "gif", "bmp", "tif", "tiff"}) {
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), expected)) << expected;
    }
    for (const char* skipped : {"jpg", "jpeg", "ico", "dds", "tga", "tpic"}) {
        EXPECT_EQ(listed.end(), std::find(listed.begin(), listed.end(), skipped)) << skipped;
    }
}

// A file cut short, one whose header claims 100000 x 100000 pixels, and one no
// installed decoder reads (a HEIC file here, where no codec is installed) are
// skipped as a broken JPEG file is.
TEST_F(WicPictureTest, BrokenAbsurdAndUnreadableFilesFail) {
    Write("whole.png", GUID_ContainerFormatPng, GUID_WICPixelFormat24bppBGR, 640, 480, {{Red}});
    std::ifstream in(File("whole.png"), std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    std::ofstream(File("cut.png"), std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size() / 2));

    // The header's width and height, and the checksum of its chunk.
    std::vector<char> claim = bytes;
    for (int offset : {16, 20}) {
        const char side[4] = {0, 1, char(0x86), char(0xA0)}; // 100000
        std::copy(side, side + 4, claim.begin() + offset);
    }
    uint32_t crc = 0xFFFFFFFF;
    for (int i = 12; i < 29; ++i) {
        crc ^= uint8_t(claim[std::size_t(i)]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = crc & 1 ? crc >> 1 ^ 0xEDB88320 : crc >> 1;
        }
    }
    crc ^= 0xFFFFFFFF;
    for (int i = 0; i < 4; ++i) {
        claim[std::size_t(29 + i)] = char(crc >> (24 - 8 * i));
    }
    std::ofstream(File("claim.png"), std::ios::binary)
        .write(claim.data(), std::streamsize(claim.size()));
    std::ofstream(File("photo.heic"), std::ios::binary) << "....ftypheic not really";

    for (const char* name : {"cut.png", "claim.png", "photo.heic"}) {
        EXPECT_EQ(Picture::State::Failed, Load(name).GetState()) << name;
    }
    EXPECT_TRUE(Load("whole.png").IsDrawable());
}
