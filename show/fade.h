// The frames of one stage's change of picture, made from pixels already decoded
// or read back from the screen: the previous picture fading out to black (when
// the stage is cleared between pictures), then the new one fading in over what
// lies beneath it (black, or the earlier pictures when pictures overlap).
#pragma once

#include "picture/picture.h"

#include <cstdint>
#include <optional>

// Frames, at about 31 milliseconds each: half a second to fade in, a quarter of
// a second to fade out.
constexpr int FadeOutFrames = 8;
constexpr int FadeInFrames = 16;

class Fade {
public:
    // `picture` comes at (x, y), over `beneath` (the pixels there, of its size;
    // an empty picture for black). A `previous` that is not empty (the pixels
    // of the previous picture, read back from where it is) fades out first, at
    // (previousX, previousY).
    Fade(Picture picture, int32_t x, int32_t y, Picture beneath, Picture previous,
         int32_t previousX, int32_t previousY);

    struct Frame {
        Picture& pixels; // drawn as it is: a fade runs only where nothing is dithered
        int32_t x;
        int32_t y;
        bool clearFirst; // the stage is to be cleared before this frame
    };
    // The next frame; none once the picture itself has been given.
    std::optional<Frame> Next();
    // The frame that ends the fade at once: the picture itself.
    Frame Last();

private:
    // The fade-out is over: the previous picture and its frame go, but for a
    // frame buffer the fade-in can take over.
    void EndFadeOut();

    Picture picture;
    int32_t x;
    int32_t y;
    Picture beneath;
    Picture previous; // freed once it has faded out
    int32_t previousX;
    int32_t previousY;
    const int outFrames; // FadeOutFrames when there is a previous picture, else 0
    // The frames of each phase, made anew each step in buffers that are had,
    // and touched, before the first: a frame then costs only its arithmetic.
    // The fade-out's buffer goes on to the fade-in when their sizes agree.
    Picture outFrame;
    Picture inFrame;
    int step = 0; // frames given so far
};
