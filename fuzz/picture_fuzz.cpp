// libFuzzer target: any bytes, as a ".jpg" file, through Picture::Load (its
// embedded profile and colour conversion among it) and the dither of the
// first draw. Whatever the file holds, the picture must end up
// drawable and within its box, or failed and empty; never a crash, a hang or a
// leak.
#include "decode/jpeg_memory_limit.h"
#include "decode/load_picture.h"
#include "display/display_format.h"
#include "display/dither.h"
#include "picture/colour_transforms.h"
#include "picture/picture.h"
#include "tools/icc_maker.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
#include <unistd.h>

namespace {
std::string path;

// The boxes of the preview and of two smaller ones, chosen by the input's
// length so that every scale and reduction gets its turn while the decoded
// pictures stay small.
struct Box {
    int32_t width, height;
};
constexpr Box Boxes[] = {{152, 112}, {48, 36}, {16, 12}};

// Every block of a picture is decoded in every scan, at any scale, even after
// the data has run out; inputs that claim more than this take long and find
// nothing that smaller ones do not, and are passed over. Those that the memory
// bound refuses (more than MaxWholeImagePixels in several scans) fail at once
// and are loaded.
constexpr uint64_t MaxPixels = 1 << 18;

struct HeaderErrors {
    jpeg_error_mgr standard;
    std::jmp_buf recovery;
};

[[noreturn]] void LeaveHeader(j_common_ptr info) {
    std::longjmp(reinterpret_cast<HeaderErrors*>(info->err)->recovery, 1);
}

// Whether the load of these bytes would decode a large picture; a header that
// cannot be read is a quick failure.
bool ClaimsLargePicture(const uint8_t* data, size_t size) {
    jpeg_decompress_struct info{};
    HeaderErrors errors{};
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = LeaveHeader;
    errors.standard.emit_message = [](j_common_ptr, int) {};
    volatile bool large = false;
    if (setjmp(errors.recovery) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
        const uint64_t pixels = uint64_t{info.image_width} * info.image_height;
        large =
            pixels > MaxPixels && !(jpeg_has_multiple_scans(&info) && pixels > MaxWholeImagePixels);
    }
    jpeg_destroy_decompress(&info);
    return large;
}

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}
} // namespace

// Allocations over 64 MB fail as they can on the real machine, where a file's
// header may claim any size; sanitizer findings stop the run.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=64";
}
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    path = std::string(dir) + "/pelloran-fuzz-" + std::to_string(getpid()) + ".jpg";
    // The input file goes when the run ends (a crash leaves it, beside the artifact).
    std::atexit([] { unlink(path.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ClaimsLargePicture(data, size)) {
        return 0;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);

    static const DisplayFormat displays[2] = {ClassifyDisplay(8), ClassifyDisplay(16)};
    const DisplayFormat& display = displays[size % 2];
    const Box box = Boxes[size % 3];
    const Picture::Sizing sizing = size / 2 % 2 ? Picture::Sizing::Fit : Picture::Sizing::Reduce;
    // Into sRGB or a wide gamut, through the transforms of every input before.
    static ColourTransforms transforms;
    static const ColourProfile targets[2] = {ColourProfile(), ColourProfile::Icc(DisplayP3Icc())};
    ColourConversion colour{transforms, targets[size / 4 % 2]};
    Picture picture;
    picture = LoadPictureFile(path.c_str(), box.width, box.height, sizing, nullptr, false, &colour);
    if (picture.GetState() == Picture::State::Failed) {
        Require(!picture.Pixels() && !picture.Header());
        Require(!PrepareDraw(picture, display));
        return 0;
    }
    Require(picture.GetState() == Picture::State::Ready);
    Require(picture.Pixels() && picture.Header());
    Require(picture.Width() >= 0 && picture.Width() <= box.width);
    Require(picture.Height() >= 0 && picture.Height() <= box.height);
    Require(picture.Header()->bmiHeader.biWidth == picture.Width());
    Require(picture.Header()->bmiHeader.biHeight == -picture.Height());
    Require(PrepareDraw(picture, display) && picture.GetState() == Picture::State::Dithered);
    return 0;
}
