// The picture pipeline's benchmark: Picture::Load, reducing or fitting, against
// a bare libjpeg decode of the same file at the same scale (and the resampler's
// share of a fit), the dither's throughput, the peak memory of a load, the
// fade's frames, and how far flat pictures stray through the resampler. It
// makes its own photograph-like 4:2:0 JPEG files.
//   pelloran_bench [WORK_DIR]   (the pictures are made in WORK_DIR once)
#include "decode/load_picture.h"
#include "display/display_format.h"
#include "display/dither.h"
#include "picture/colour_transforms.h"
#include "picture/fit_size.h"
#include "picture/jpeg_scale.h"
#include "picture/picture.h"
#include "picture/pixel_buffer.h"
#include "picture/pixel_mix.h"
#include "picture/resampler.h"
#include "picture/simd_path.h"
#include "picture/view_render.h"
#include "show/fade.h"

#include "tools/icc_maker.h"
#include "tools/jpeg_maker.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <jpeglib.h>

namespace {
using Clock = std::chrono::steady_clock;

// A photograph's file, made once: 4:2:0 unless full colour is asked for, with
// an Exif block when it is to be shown in another orientation than as stored.
std::string MakePhoto(const std::filesystem::path& dir, int width, int height,
                      JpegKind kind = JpegKind::Baseline, bool fullColour = false,
                      Orientation orientation = Orientation::Upright) {
    const bool turned = orientation != Orientation::Upright;
    const std::string name = "photo-" + std::to_string(width) + "x" + std::to_string(height) +
                             (kind == JpegKind::Progressive ? "-progressive" : "") +
                             (fullColour ? "-444" : "") +
                             (turned ? "-exif" + std::to_string(int(orientation)) : "") + ".jpg";
    const std::string path = (dir / name).string();
    if (!std::filesystem::exists(path)) {
        JpegRecipe recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.kind = kind;
        recipe.sampling = fullColour ? JpegSampling::Full : JpegSampling::Halved;
        recipe.quality = 90;
        if (turned) {
            recipe.app1 = ExifBlock(int(orientation));
        }
        WriteFile(path, MakeJpeg(recipe, PhotoSamples(width, height)));
    }
    return path;
}

// A 4:2:0 photograph's file with the profile embedded, made once.
std::string MakeTaggedPhoto(const std::filesystem::path& dir, int width, int height,
                            const char* profileName, const std::vector<uint8_t>& profile) {
    const std::string path = (dir / ("photo-" + std::to_string(width) + "x" +
                                     std::to_string(height) + "-" + profileName + ".jpg"))
                                 .string();
    if (!std::filesystem::exists(path)) {
        JpegRecipe recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.sampling = JpegSampling::Halved;
        recipe.quality = 90;
        recipe.app2 = IccMarkers(profile);
        WriteFile(path, MakeJpeg(recipe, PhotoSamples(width, height)));
    }
    return path;
}

// A file of a few hundred bytes whose header claims a huge picture.
std::string MakeHugeClaim(const std::filesystem::path& dir, uint16_t side, JpegKind kind,
                          JpegColours colours) {
    const std::string path =
        (dir / ("claims-" + std::to_string(side) + "-" + std::to_string(int(kind)) +
                std::to_string(int(colours)) + ".jpg"))
            .string();
    JpegRecipe recipe;
    recipe.kind = kind;
    recipe.colours = colours;
    std::vector<uint8_t> jpeg = MakeJpeg(
        recipe, Uniform(recipe, std::vector<uint8_t>(colours == JpegColours::Grey ? 1 : 3, 9)));
    SetFrameSize(jpeg, side, side);
    WriteFile(path, jpeg);
    return path;
}

// libjpeg alone: the file decoded at num/denom into one row buffer, nothing kept.
void BareDecode(const std::string& path, int num, int denom) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.scale_num = static_cast<unsigned>(num);
    info.scale_denom = static_cast<unsigned>(denom);
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(size_t(info.output_width) * size_t(info.output_components));
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

double Seconds(const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs of each measurement. The fastest run is the one least disturbed by
// whatever else the machine does.
constexpr int Runs = 15;

double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::strlen(field)));
        }
    }
    return -1;
}

struct SingleLoad {
    long peakKb = -1; // the resident set's peak during the load above what was resident before
    double ms = 0;    // the load's time
    int width = 0;    // the picture loaded, or 0 x 0 if it failed
    int height = 0;
};

// One load in a fresh process (this program again, with --peak or --peak-fit),
// so that no memory kept by the allocator from earlier loads hides the growth.
SingleLoad LoadOnce(const std::string& path, int maxWidth, int maxHeight,
                    Picture::Sizing sizing = Picture::Sizing::Reduce) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command =
        "'" + self + (sizing == Picture::Sizing::Fit ? "' --peak-fit '" : "' --peak '") + path +
        "' " + std::to_string(maxWidth) + " " + std::to_string(maxHeight);
    std::FILE* child = popen(command.c_str(), "r");
    SingleLoad load;
    if (child != nullptr) {
        if (std::fscanf(child, "%ld %lf %d %d", &load.peakKb, &load.ms, &load.width,
                        &load.height) != 4) {
            load.peakKb = -1;
        }
        pclose(child);
    }
    return load;
}

int MeasurePeak(const char* path, int maxWidth, int maxHeight, Picture::Sizing sizing) {
    const long before = StatusKb("VmRSS:");
    Picture picture;
    const double seconds =
        Seconds([&] { picture = LoadPictureFile(path, maxWidth, maxHeight, sizing); });
    const bool drawable = picture.IsDrawable();
    std::printf("%ld %.1f %d %d\n", StatusKb("VmHWM:") - before, seconds * 1e3,
                drawable ? picture.Width() : 0, drawable ? picture.Height() : 0);
    return 0;
}

// A picture of the given size with every pixel different.
Picture Varied(int32_t width, int32_t height, uint32_t seed) {
    const size_t count = size_t(width) * size_t(height);
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = uint32_t((i + seed) * 2654435761u) & 0x00FFFFFF;
    }
    Picture picture;
    picture.Adopt(width, height, std::move(pixels));
    return picture;
}

// The resampler alone, from pixels in memory: a fit of a picture decoded at
// `source` to `fitted`, the fastest of the runs.
double FilterSeconds(PictureSize source, PictureSize fitted, SimdPath path = WidestSimdPath()) {
    const Picture rows = Varied(source.width, 1, 3);
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        Resampler filter(path);
        times.push_back(Seconds([&] {
            filter.Start(source.width, source.height, fitted.width, fitted.height);
            for (int32_t row = 0; row < source.height; ++row) {
                std::memcpy(filter.SourceRow(), rows.Pixels(), size_t(source.width) * 4);
                filter.AddRow();
            }
        }));
    }
    return Fastest(times);
}

// A picture shown in another orientation is decoded for the box turned with it;
// reduced at 1/d, fitted at M/8.
void CompareLoads(const std::string& path, int width, int height, int maxWidth, int maxHeight,
                  Orientation orientation = Orientation::Upright,
                  Picture::Sizing sizing = Picture::Sizing::Reduce,
                  ColourConversion* colour = nullptr) {
    int32_t boxWidth = maxWidth, boxHeight = maxHeight;
    TurnBox(orientation, boxWidth, boxHeight);
    int num = 1, denom = ScaleDenominator(width, height, boxWidth, boxHeight);
    std::string filter;
    if (sizing == Picture::Sizing::Fit) {
        const PictureSize size = FitSize(width, height, boxWidth, boxHeight);
        num = FitScaleEighths(width, height, size.width, size.height);
        denom = 8;
        const PictureSize decoded = {int32_t(JpegScaledSide(width, num, 8)),
                                     int32_t(JpegScaledSide(height, num, 8))};
        char text[32];
        std::snprintf(text, sizeof text, " %9.1f", FilterSeconds(decoded, size) * 1e3);
        filter = text;
    }
    const auto bare = [&] { BareDecode(path, num, denom); };
    int32_t fitted[2] = {0, 0};
    const auto load = [&] {
        Picture picture;
        picture =
            LoadPictureFile(path.c_str(), maxWidth, maxHeight, sizing, nullptr, false, colour);
        fitted[0] = picture.Width();
        fitted[1] = picture.Height();
    };
    bare(); // the file into the page cache, the code into the caches
    std::vector<double> loads, bares;
    for (int run = 0; run < Runs; ++run) { // alternating, so that drift hits both alike
        if (run % 2 == 0) {
            bares.push_back(Seconds(bare));
            loads.push_back(Seconds(load));
        } else {
            loads.push_back(Seconds(load));
            bares.push_back(Seconds(bare));
        }
    }
    const double loadTime = Fastest(loads), bareTime = Fastest(bares);
    const std::string scale = std::to_string(num) + "/" + std::to_string(denom);
    std::printf("%5d x %-5d %4d x %-4d %5s  %4d x %-4d %9.1f %9.1f %7.3f %9.1f%s\n", width, height,
                maxWidth, maxHeight, scale.c_str(), fitted[0], fitted[1], loadTime * 1e3,
                bareTime * 1e3, loadTime / bareTime,
                LoadOnce(path, maxWidth, maxHeight, sizing).peakKb / 1024.0, filter.c_str());
}

void LargeLoad(const char* what, const std::string& path, int maxWidth, int maxHeight) {
    const SingleLoad load = LoadOnce(path, maxWidth, maxHeight);
    std::printf("%-34s %4d x %-4d  %4d x %-4d %9.1f %9.1f\n", what, maxWidth, maxHeight, load.width,
                load.height, load.ms, load.peakKb / 1024.0);
}

void DitherThroughput(const DisplayFormat& display, int32_t width, int32_t height) {
    const size_t count = size_t(width) * size_t(height);
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
        for (size_t i = 0; i < count; ++i) {
            pixels[i] = uint32_t(i * 2654435761u) & 0x00FFFFFF;
        }
        Picture picture;
        picture.Adopt(width, height, std::move(pixels));
        times.push_back(Seconds([&] { PrepareDraw(picture, display); }));
    }
    const double megapixels = double(width) * double(height) / 1e6;
    std::printf("dither %5d x %-5d  %8.0f MP/s  (%.2f ms a picture)\n", width, height,
                megapixels / Fastest(times), Fastest(times) * 1e3);
}
// Every frame of one fade, the fastest of the runs: the slowest frame and the
// mean of them all; and the fade's start, which makes its frame buffer.
void FadeFrames(const char* what, int32_t width, int32_t height, bool overlap) {
    std::vector<double> slowest, mean, start;
    const Picture picture = Varied(width, height, 1);
    const Picture previous = Varied(width, height, 2);
    for (int run = 0; run < Runs; ++run) {
        Picture beneath = overlap ? Varied(width, height, 3) : Picture();
        std::optional<Fade> made;
        const DevicePlace place{0, 0, width, height};
        start.push_back(Seconds([&] {
            made.emplace(place, std::move(beneath),
                         overlap ? std::nullopt : std::optional<DevicePlace>(place));
        }));
        Fade& fade = *made;
        double worst = 0, total = 0;
        int frames = 0;
        for (bool more = true; more; more = fade.Step()) {
            const double seconds = Seconds([&] { fade.Frame(&previous, picture); });
            worst = std::max(worst, seconds);
            total += seconds;
            ++frames;
        }
        slowest.push_back(worst);
        mean.push_back(total / frames);
    }
    std::printf("%-34s %5d x %-5d  slowest frame %5.2f ms, mean %5.2f ms; start %5.2f ms\n", what,
                width, height, Fastest(slowest) * 1e3, Fastest(mean) * 1e3, Fastest(start) * 1e3);
}

// One frame copied, the memory's own pace: a mix of two frames into a third
// moves half as much again.
void FrameCopy(int32_t width, int32_t height) {
    const Picture from = Varied(width, height, 1);
    Picture to = Varied(width, height, 2);
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        times.push_back(Seconds([&] {
            std::memcpy(to.PixelsToWriteOn(), from.Pixels(), size_t(width) * size_t(height) * 4);
        }));
    }
    std::printf("%-34s %5d x %-5d  %5.2f ms\n", "a frame copied (memcpy)", width, height,
                Fastest(times) * 1e3);
}

// One frame of the motion on each path, the fastest of the runs: the picture
// decoded at 1.2 times the frame, seen at a zoom of 1.1 from a fractional
// place, each run a little further on.
void MotionFrames(int32_t width, int32_t height) {
    const int32_t sourceWidth = width * 6 / 5, sourceHeight = height * 6 / 5;
    const Picture source = Varied(sourceWidth, sourceHeight, 1);
    Picture frame = Varied(width, height, 2);
    std::printf("%-34s %5d x %-5d ", "one frame of the motion", width, height);
    for (const SimdPath path : SimdPaths) {
        if (!ProcessorRuns(path)) {
            continue;
        }
        std::vector<double> times;
        for (int run = 0; run < Runs; ++run) {
            const ViewRect view = {37.3 + 0.3 * run, 21.7 + 0.2 * run, sourceWidth / 1.1,
                                   sourceHeight / 1.1};
            times.push_back(Seconds([&] {
                RenderView(path, source.Pixels(), sourceWidth, sourceHeight, view,
                           frame.PixelsToWriteOn(), width, height, std::size_t(width));
            }));
        }
        std::printf(" %s %5.2f ms", SimdPathName(path), Fastest(times) * 1e3);
    }
    std::printf("\n");
}

// A crossfade's frame: two whole frames mixed into a third.
void CrossFrame(int32_t width, int32_t height) {
    const Picture from = Varied(width, height, 1), to = Varied(width, height, 2);
    Picture frame = Varied(width, height, 3);
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        times.push_back(Seconds([&] {
            CrossMix({from.Pixels(), 0, 0, width, height}, {to.Pixels(), 0, 0, width, height},
                     frame.PixelsToWriteOn(), width, height, 1 + run % (FadeLevels - 1));
        }));
    }
    std::printf("%-34s %5d x %-5d  %5.2f ms\n", "a crossfade's frame", width, height,
                Fastest(times) * 1e3);
}

// A column of each level 0 to 255 through the resampler, `reduction` times
// shorter, and the largest difference of a pixel from its level. (Across, a
// flat row gives its level exactly, so the columns need not be wider.)
void FlatLevels(int32_t reduction) {
    const int32_t height = 4;
    Resampler filter;
    if (!filter.Start(256, height * reduction, 256, height)) {
        return;
    }
    for (int32_t row = 0; row < height * reduction; ++row) {
        for (uint32_t level = 0; level < 256; ++level) {
            filter.SourceRow()[level] = level * 0x010101;
        }
        filter.AddRow();
    }
    const std::unique_ptr<uint32_t[]> pixels = filter.TakePixels();
    int worst = 0, at = 0;
    for (int32_t i = 0; i < 256 * height; ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int error = std::abs(int(pixels[size_t(i)] >> shift & 0xFF) - i % 256);
            at = error > worst ? i % 256 : at;
            worst = std::max(worst, error);
        }
    }
    std::printf("reduced %4dx: largest error %2d levels (at level %d)\n", reduction, worst, at);
}

// The processor's name, as the kernel gives it.
std::string ProcessorModel() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        const size_t colon = line.find(':');
        if (line.rfind("model name", 0) == 0 && colon != std::string::npos) {
            return line.substr(line.find_first_not_of(" \t", colon + 1));
        }
    }
    return "unknown";
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strncmp(argv[1], "--peak", 6) == 0) {
        return MeasurePeak(argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                           std::strcmp(argv[1], "--peak-fit") == 0 ? Picture::Sizing::Fit
                                                                   : Picture::Sizing::Reduce);
    }
    const std::filesystem::path dir = argc > 1 ? argv[1] : "bench-pictures";
    std::filesystem::create_directories(dir);
    struct Photo {
        int width, height;
    };
    const Photo photos[] = {{4000, 3000}, {6000, 4000}};
    const int boxes[2][2] = {{1920, 1080}, {1024, 768}};

    std::printf("%s, %u processors; the pixel work on %s\n\n", ProcessorModel().c_str(),
                std::thread::hardware_concurrency(), SimdPathName(WidestSimdPath()));
    std::printf("Picture::Load against a bare libjpeg decode at the same scale "
                "(fastest of 15 runs)\n");
    std::printf("%-13s %-11s %-5s %-11s %9s %9s %7s %9s\n", "file", "box", "scale", "result",
                "load ms", "bare ms", "ratio", "peak MB");
    for (const Photo& photo : photos) {
        const std::string path = MakePhoto(dir, photo.width, photo.height);
        for (const auto& box : boxes) {
            CompareLoads(path, photo.width, photo.height, box[0], box[1]);
        }
    }

    std::printf("The 4000 x 3000 photo with Exif orientation 6 (turned a quarter clockwise)\n");
    CompareLoads(MakePhoto(dir, 4000, 3000, JpegKind::Baseline, false, Orientation::TurnClockwise),
                 4000, 3000, 1920, 1080, Orientation::TurnClockwise);

    std::printf("\nFitted to the box (Fit on) against a bare decode at the same M/8 scale "
                "(goal: ratio <= 1.25), and the resampler alone from memory\n");
    std::printf("%-13s %-11s %-5s %-11s %9s %9s %7s %9s %9s\n", "file", "box", "scale", "result",
                "load ms", "bare ms", "ratio", "peak MB", "filter ms");
    const int screens[2][2] = {{1920, 1080}, {3840, 2160}};
    for (const Photo& photo : photos) {
        const std::string path = MakePhoto(dir, photo.width, photo.height);
        for (const auto& box : screens) {
            CompareLoads(path, photo.width, photo.height, box[0], box[1], Orientation::Upright,
                         Picture::Sizing::Fit);
        }
    }
    CompareLoads(MakePhoto(dir, 4000, 3000, JpegKind::Baseline, false, Orientation::TurnClockwise),
                 4000, 3000, 1920, 1080, Orientation::TurnClockwise, Picture::Sizing::Fit);

    std::printf("Tagged photos, their colours converted into sRGB (goal: ratio <= 1.30)\n");
    ColourTransforms transforms;
    ColourConversion intoSrgb{transforms, ColourProfile()};
    const struct {
        const char* name;
        std::vector<uint8_t> profile;
    } tags[] = {{"display-p3", DisplayP3Icc()}, {"adobe-rgb", AdobeRgbIcc()}};
    for (const auto& tag : tags) {
        // The conversion alone, from memory, on the largest fitted picture.
        const Picture fittedPixels = Varied(3240, 2160, 5);
        std::vector<uint32_t> converted(size_t(3240) * 2160);
        const ColourTransform* transform =
            transforms.Find(ColourProfile::Icc(tag.profile), PixelColours::Rgb, ColourProfile());
        std::vector<double> times;
        for (int run = 0; run < Runs && transform != nullptr; ++run) {
            times.push_back(Seconds([&] {
                transform->Apply(fittedPixels.Pixels(), converted.data(), converted.size());
            }));
        }
        std::printf("%s (the conversion alone of 3240 x 2160 pixels from memory: %.1f ms)\n",
                    tag.name, times.empty() ? 0.0 : Fastest(times) * 1e3);
        for (const Photo& photo : photos) {
            const std::string path =
                MakeTaggedPhoto(dir, photo.width, photo.height, tag.name, tag.profile);
            for (const auto& box : screens) {
                CompareLoads(path, photo.width, photo.height, box[0], box[1], Orientation::Upright,
                             Picture::Sizing::Fit, &intoSrgb);
            }
        }
    }

    std::printf("The resampler alone for the 4000 x 3000 photo into 3840 x 2160, on each path:");
    const PictureSize fitted = FitSize(4000, 3000, 3840, 2160);
    const int eighths = FitScaleEighths(4000, 3000, fitted.width, fitted.height);
    const PictureSize decoded = {int32_t(JpegScaledSide(4000, eighths, 8)),
                                 int32_t(JpegScaledSide(3000, eighths, 8))};
    for (const SimdPath path : SimdPaths) {
        if (ProcessorRuns(path)) {
            std::printf(" %s %.1f ms", SimdPathName(path),
                        FilterSeconds(decoded, fitted, path) * 1e3);
        }
    }

    std::printf("\n\nLarge and hostile pictures (one load each, in a fresh process)\n");
    std::printf("%-34s %-11s %-11s %9s %9s\n", "file", "box", "result", "load ms", "peak MB");
    LargeLoad("12000 x 8400 progressive 4:2:0", MakePhoto(dir, 12000, 8400, JpegKind::Progressive),
              1920, 1080);
    LargeLoad("12000 x 8400 progressive 4:4:4",
              MakePhoto(dir, 12000, 8400, JpegKind::Progressive, true), 1920, 1080);
    LargeLoad("claims 20000 x 20000, progressive",
              MakeHugeClaim(dir, 20000, JpegKind::Progressive, JpegColours::Colour), 1920, 1080);
    LargeLoad("claims 46344 x 46344, progr. grey",
              MakeHugeClaim(dir, 46344, JpegKind::Progressive, JpegColours::Grey), 1920, 1080);
    LargeLoad("claims 65500 x 65500, baseline",
              MakeHugeClaim(dir, 65500, JpegKind::Baseline, JpegColours::Colour), 1920, 1080);

    std::printf("\nDither on a palette display (fastest of 15 runs)\n");
    const DisplayFormat palette = ClassifyDisplay(8);
    DitherThroughput(palette, 1920, 1080);
    DitherThroughput(palette, 6000, 4000);

    std::printf("\nA fade's frames, from decoded pixels (fastest of %d fades; goal: under 8 ms)\n",
                Runs);
    FadeFrames("out of the picture before", 3840, 2160, false);
    FadeFrames("in over the pictures before", 3840, 2160, true);
    CrossFrame(3840, 2160);
    FrameCopy(3840, 2160);

    std::printf("\nThe motion's frames (fastest of %d runs; goal on the widest path: 1920 x 1080 "
                "<= 2 ms, 3840 x 2160 <= 8 ms)\n",
                Runs);
    MotionFrames(1920, 1080);
    MotionFrames(3840, 2160);

    std::printf("\nFlat levels through the resampler (goal: within 1 level at any reduction)\n");
    for (const int32_t reduction : {2, 53, 200, 1000}) {
        FlatLevels(reduction);
    }
    return 0;
}
