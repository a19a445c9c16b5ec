// Pixels from one colour profile into another through Little CMS: a picture's
// colours into those of the monitor that shows it.
#pragma once

#include "picture/colour_profile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct _cmsContext_struct; // Little CMS's cmsContext points to one

// What the values a transform reads stand for. Pixels are 0x00RRGGBB (bytes
// blue, green, red, 0); grey pixels hold their level in all three; CMYK
// samples come four bytes a pixel as libjpeg reads them, inverted as Adobe's
// files store them (255 meaning no ink) or not.
enum class PixelColours { Rgb, Grey, Cmyk, InvertedCmyk };

// One transform from a source profile's values to a target profile's pixels.
class ColourTransform {
public:
    virtual ~ColourTransform() = default;
    // Transforms `count` values into pixels; `from` and `to` may be the same
    // pixels.
    virtual void Apply(const void* from, uint32_t* to, size_t count) const = 0;
};

// The transforms made so far, one for each source, target and kind of values
// met (or the knowledge that there is nothing to do), the most recently used
// kept when there would be more than MostKept. Used by one thread: the show's
// worker. RGB values between two profiles of curves and a matrix go through a
// MatrixShaperTransform (picture/matrix_shaper.h) on the widest SIMD path,
// everything else through Little CMS.
class ColourTransforms {
public:
    static constexpr size_t MostKept = 8;

    ColourTransforms();
    ~ColourTransforms();
    ColourTransforms(const ColourTransforms&) = delete;
    ColourTransforms& operator=(const ColourTransforms&) = delete;

    // The transform of `colours` in the source profile into the target's
    // pixels; null when there is nothing to do: the two are the same (or
    // transform every colour to itself), or a profile is unusable (cut,
    // lying, refused by Little CMS, or of other colours than the values: a
    // grey profile for RGB pixels), when the values are taken as sRGB. The
    // transform stays valid until the next call. CMYK values of a picture of
    // fewer than `values` go through the profiles exactly, one at a time,
    // rather than through the table of SampledNodes values that Little CMS
    // first samples (which takes as long as converting that many).
    static constexpr size_t SampledNodes = 17 * 17 * 17 * 17;
    const ColourTransform* Find(const ColourProfile& source, PixelColours colours,
                                const ColourProfile& target, size_t values = SampledNodes);
    // Transforms the pixels (Rgb or Grey) in place, when there is anything to do.
    void Convert(uint32_t* pixels, size_t count, const ColourProfile& source, PixelColours colours,
                 const ColourProfile& target);

    size_t KeptCount() const { return kept.size(); }

private:
    struct Entry;
    std::unique_ptr<ColourTransform> Make(const ColourProfile& source, PixelColours colours,
                                          const ColourProfile& target, bool exactly) const;

    _cmsContext_struct* context;              // of every profile and transform made here
    std::vector<std::unique_ptr<Entry>> kept; // the most recently used first
};

// Where a load's colours go: into the target profile, through the transforms
// its thread keeps.
struct ColourConversion {
    ColourTransforms& transforms;
    ColourProfile target;
};
