// libFuzzer target: any bytes, as a ".jpg" file, through Picture::Load and the
// dither of the first draw. Whatever the file holds, the picture must end up
// drawable and within its box, or failed and empty; never a crash, a hang or a
// leak.
#include "picture/display_format.h"
#include "picture/picture.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {
std::string path;

// The boxes of a full screen, of a small picture and of a tiny preview, chosen by
// the input's length so that every scale and reduction gets its turn.
struct Box {
    int32_t width, height;
};
constexpr Box Boxes[] = {{1920, 1080}, {640, 480}, {152, 112}};

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
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
    Picture picture;
    picture.Load(path.c_str(), box.width, box.height);
    if (picture.GetState() == Picture::State::Failed) {
        Require(!picture.Pixels() && !picture.Header());
        Require(!picture.PrepareDraw(display));
        return 0;
    }
    Require(picture.GetState() == Picture::State::Ready);
    Require(picture.Pixels() && picture.Header());
    Require(picture.Width() >= 0 && picture.Width() <= box.width);
    Require(picture.Height() >= 0 && picture.Height() <= box.height);
    Require(picture.Header()->bmiHeader.biWidth == picture.Width());
    Require(picture.Header()->bmiHeader.biHeight == -picture.Height());
    Require(picture.PrepareDraw(display) && picture.GetState() == Picture::State::Dithered);
    return 0;
}
