#include "picture/colour_transforms.h"

#include "picture/matrix_shaper.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {
// Grey pixels are read by their blue byte; the three bytes after it are passed over.
constexpr cmsUInt32Number GreyPixels =
    COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(3);

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using ProfileHandle = std::unique_ptr<void, ProfileCloser>;

struct CurveFreer {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};

// An ICC profile whose header claims more bytes than there are is cut: it is
// not opened at all, where Little CMS would read what there is.
bool WholeProfile(const std::vector<uint8_t>& bytes) {
    constexpr size_t HeaderBytes = 128;
    if (bytes.size() < HeaderBytes) {
        return false;
    }
    const uint32_t claimed =
        uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    return claimed >= HeaderBytes && claimed <= bytes.size();
}

// Adobe RGB (1998): its primaries and white point (D65), and its gamma of 563/256.
ProfileHandle MakeAdobeRgb(cmsContext context) {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {
        {0.6400, 0.3300, 1.0}, {0.2100, 0.7100, 1.0}, {0.1500, 0.0600, 1.0}};
    const std::unique_ptr<cmsToneCurve, CurveFreer> gamma(cmsBuildGamma(context, 563.0 / 256.0));
    if (!gamma) {
        return nullptr;
    }
    cmsToneCurve* curves[3] = {gamma.get(), gamma.get(), gamma.get()};
    return ProfileHandle(cmsCreateRGBProfileTHR(context, &white, &primaries, curves));
}

ProfileHandle OpenProfile(cmsContext context, const ColourProfile& profile) {
    if (profile.IsSrgb()) {
        return ProfileHandle(cmsCreate_sRGBProfileTHR(context));
    }
    if (profile.IsAdobeRgb()) {
        return MakeAdobeRgb(context);
    }
    const std::vector<uint8_t>& bytes = *profile.IccBytes();
    if (!WholeProfile(bytes)) {
        return nullptr;
    }
    return ProfileHandle(
        cmsOpenProfileFromMemTHR(context, bytes.data(), cmsUInt32Number(bytes.size())));
}

// Profiles of devices and colour spaces; device links, abstract and named
// colour profiles describe no colours of their own.
bool DescribesColours(cmsHPROFILE profile) {
    switch (cmsGetDeviceClass(profile)) {
    case cmsSigInputClass:
    case cmsSigDisplayClass:
    case cmsSigOutputClass:
    case cmsSigColorSpaceClass:
        return true;
    default:
        return false;
    }
}

cmsColorSpaceSignature SpaceOf(PixelColours colours) {
    switch (colours) {
    case PixelColours::Grey:
        return cmsSigGrayData;
    case PixelColours::Cmyk:
    case PixelColours::InvertedCmyk:
        return cmsSigCmykData;
    case PixelColours::Rgb:
        break;
    }
    return cmsSigRgbData;
}

cmsUInt32Number FormatOf(PixelColours colours) {
    switch (colours) {
    case PixelColours::Grey:
        return GreyPixels;
    case PixelColours::Cmyk:
        return TYPE_CMYK_8;
    case PixelColours::InvertedCmyk:
        return TYPE_CMYK_8_REV;
    case PixelColours::Rgb:
        break;
    }
    return TYPE_BGRA_8;
}

// Every level of each channel, and a grid through RGB's cube, as pixels.
std::vector<uint32_t> TestPixels() {
    std::vector<uint32_t> pixels;
    for (uint32_t v = 0; v < 256; ++v) {
        pixels.push_back(v * 0x010101);
    }
    for (uint32_t r = 0; r < 256; r += 51) {
        for (uint32_t g = 0; g < 256; g += 51) {
            for (uint32_t b = 0; b < 256; b += 51) {
                pixels.push_back(r << 16 | g << 8 | b);
            }
        }
    }
    return pixels;
}

// The largest difference of a channel between two sets of pixels.
int LargestDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            largest =
                std::max(largest, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
        }
    }
    return largest;
}

std::vector<uint32_t> Transformed(const ColourTransform& transform,
                                  const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> out(pixels.size());
    transform.Apply(pixels.data(), out.data(), pixels.size());
    return out;
}

// The pixels as Little CMS transforms them in floating point.
std::vector<uint32_t> TransformedExactly(cmsContext context, cmsHPROFILE from, cmsHPROFILE to,
                                         cmsUInt32Number intent, cmsUInt32Number flags,
                                         const std::vector<uint32_t>& pixels) {
    void* handle = cmsCreateTransformTHR(context, from, TYPE_BGRA_FLT, to, TYPE_BGRA_FLT, intent,
                                         flags | cmsFLAGS_NOOPTIMIZE);
    if (handle == nullptr) {
        return {};
    }
    std::vector<float> values;
    for (const uint32_t p : pixels) {
        values.insert(values.end(), {float(p & 0xFF) / 255, float(p >> 8 & 0xFF) / 255,
                                     float(p >> 16 & 0xFF) / 255, 0.0f});
    }
    cmsDoTransform(handle, values.data(), values.data(), cmsUInt32Number(pixels.size()));
    cmsDeleteTransform(handle);
    std::vector<uint32_t> out;
    for (size_t i = 0; i < values.size(); i += 4) {
        uint32_t pixel = 0;
        for (size_t c = 3; c-- > 0;) {
            pixel = pixel << 8 | uint32_t(std::lround(std::clamp(values[i + c], 0.0f, 1.0f) * 255));
        }
        out.push_back(pixel);
    }
    return out;
}

using Matrix3 = std::array<std::array<double, 3>, 3>;

// A 3 x 3 matrix's inverse; none for one that has none.
std::optional<Matrix3> Inverse(const Matrix3& a) {
    const auto at = [&](int r, int c) { return a[size_t(r)][size_t(c)]; };
    const double det = at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1)) -
                       at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0)) +
                       at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
    if (std::fabs(det) < 1e-12) {
        return std::nullopt;
    }
    Matrix3 inverse;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            // The cofactor of (c, r), over the determinant.
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            inverse[size_t(r)][size_t(c)] =
                (at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1)) / det;
        }
    }
    return inverse;
}

// Whether two curves are one, as the tables Little CMS keeps of them say.
bool SameCurve(const cmsToneCurve* a, const cmsToneCurve* b) {
    const cmsUInt32Number entries = cmsGetToneCurveEstimatedTableEntries(a);
    return a == b ||
           (entries == cmsGetToneCurveEstimatedTableEntries(b) &&
            std::equal(cmsGetToneCurveEstimatedTable(a), cmsGetToneCurveEstimatedTable(a) + entries,
                       cmsGetToneCurveEstimatedTable(b)));
}

// The target's levels at the steps of MatrixShaperTables::encode, through the
// inverse of its curve.
bool EncodeTable(const cmsToneCurve* curve,
                 std::array<uint8_t, MatrixShaperTables::EncodeSteps + 4>& levels) {
    const std::unique_ptr<cmsToneCurve, CurveFreer> inverse(cmsReverseToneCurve(curve));
    if (!inverse) {
        return false;
    }
    constexpr int Steps = MatrixShaperTables::EncodeSteps;
    for (int i = 0; i <= Steps; ++i) {
        const float root = float(i) / Steps;
        levels[size_t(i)] = uint8_t(std::lround(
            std::clamp(cmsEvalToneCurveFloat(inverse.get(), root * root), 0.0f, 1.0f) * 255));
    }
    std::fill(levels.begin() + Steps + 1, levels.end(), levels[Steps]);
    return true;
}

// The tables of the transform between two profiles of curves and a matrix,
// when both have them and their black is at zero (where black point
// compensation changes nothing).
std::unique_ptr<MatrixShaperTables> MatrixShaperOf(cmsHPROFILE from, cmsHPROFILE to) {
    if (!cmsIsMatrixShaper(from) || !cmsIsMatrixShaper(to)) {
        return nullptr;
    }
    constexpr cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    constexpr cmsTagSignature colorants[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                              cmsSigBlueColorantTag};
    auto tables = std::make_unique<MatrixShaperTables>();
    Matrix3 source, target;
    const cmsToneCurve* firstTargetCurve =
        static_cast<const cmsToneCurve*>(cmsReadTag(to, curves[0]));
    for (int c = 0; c < 3; ++c) {
        const auto* sourceCurve = static_cast<const cmsToneCurve*>(cmsReadTag(from, curves[c]));
        const auto* targetCurve = static_cast<const cmsToneCurve*>(cmsReadTag(to, curves[c]));
        const auto* sourceXyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(from, colorants[c]));
        const auto* targetXyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(to, colorants[c]));
        if (!sourceCurve || !targetCurve || !sourceXyz || !targetXyz ||
            cmsEvalToneCurveFloat(sourceCurve, 0) != 0 ||
            cmsEvalToneCurveFloat(targetCurve, 0) != 0) {
            return nullptr;
        }
        for (int v = 0; v < 256; ++v) {
            tables->linear[size_t(c)][size_t(v)] =
                std::clamp(cmsEvalToneCurveFloat(sourceCurve, float(v) / 255), 0.0f, 1.0f);
        }
        auto& levels = tables->encode[size_t(c)];
        if (c > 0 && SameCurve(targetCurve, firstTargetCurve)) {
            levels = tables->encode[0];
        } else if (!EncodeTable(targetCurve, levels)) {
            return nullptr;
        }
        const cmsFloat64Number s[3] = {sourceXyz->X, sourceXyz->Y, sourceXyz->Z};
        const cmsFloat64Number t[3] = {targetXyz->X, targetXyz->Y, targetXyz->Z};
        for (int row = 0; row < 3; ++row) {
            source[size_t(row)][size_t(c)] = s[row];
            target[size_t(row)][size_t(c)] = t[row];
        }
    }
    const std::optional<Matrix3> fromXyz = Inverse(target);
    if (!fromXyz) {
        return nullptr;
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) {
                sum += (*fromXyz)[size_t(r)][size_t(k)] * source[size_t(k)][size_t(c)];
            }
            tables->matrix[size_t(r)][size_t(c)] = float(sum);
        }
    }
    return tables;
}

// One transform of Little CMS.
class LittleCmsTransform : public ColourTransform {
public:
    explicit LittleCmsTransform(void* handle) : handle(handle) {}
    ~LittleCmsTransform() override { cmsDeleteTransform(handle); }
    LittleCmsTransform(const LittleCmsTransform&) = delete;
    LittleCmsTransform& operator=(const LittleCmsTransform&) = delete;

    // Little CMS counts in 32 bits; pictures are far smaller, but a count is
    // handed on in pieces all the same. Every kind of value takes four bytes.
    void Apply(const void* from, uint32_t* to, size_t count) const override {
        constexpr size_t Piece = size_t{1} << 24;
        const auto* bytes = static_cast<const uint8_t*>(from);
        while (count > 0) {
            const size_t now = std::min(count, Piece);
            cmsDoTransform(handle, bytes, to, cmsUInt32Number(now));
            bytes += now * 4;
            to += now;
            count -= now;
        }
    }

private:
    void* handle;
};
} // namespace

struct ColourTransforms::Entry {
    ColourProfile source;
    PixelColours colours;
    ColourProfile target;
    bool exactly;
    std::unique_ptr<ColourTransform> transform; // null: nothing to do
};

ColourTransforms::ColourTransforms() : context(cmsCreateContext(nullptr, nullptr)) {}

ColourTransforms::~ColourTransforms() {
    kept.clear(); // the transforms before their context
    if (context != nullptr) {
        cmsDeleteContext(context);
    }
}

const ColourTransform* ColourTransforms::Find(const ColourProfile& source, PixelColours colours,
                                              const ColourProfile& target, size_t values) {
    const bool inks = colours == PixelColours::Cmyk || colours == PixelColours::InvertedCmyk;
    const bool exactly = inks && values < SampledNodes;
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const auto& k) {
        return k->colours == colours && k->exactly == exactly && k->source == source &&
               k->target == target;
    });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
    } else {
        auto made = std::make_unique<Entry>(Entry{source, colours, target, exactly, nullptr});
        made->transform = Make(source, colours, target, exactly);
        if (kept.size() == MostKept) {
            kept.pop_back();
        }
        kept.insert(kept.begin(), std::move(made));
    }
    return kept.front()->transform.get();
}

void ColourTransforms::Convert(uint32_t* pixels, size_t count, const ColourProfile& source,
                               PixelColours colours, const ColourProfile& target) {
    if (count == 0) {
        return;
    }
    if (const ColourTransform* transform = Find(source, colours, target)) {
        transform->Apply(pixels, pixels, count);
    }
}

// Perceptual where the source has a table for it, which says how its colours
// are best brought into a smaller gamut; otherwise (as for most RGB profiles,
// made of curves and a matrix) relative colorimetric, with black point
// compensation so that shadows keep their detail. RGB values are first
// transformed in floating point on a grid: a target that keeps them is no
// transform, and the program's own matrix-shaper transform is taken where it
// gives the same within two levels; Little CMS's 8-bit transform otherwise.
std::unique_ptr<ColourTransform> ColourTransforms::Make(const ColourProfile& source,
                                                        PixelColours colours,
                                                        const ColourProfile& target,
                                                        bool exactly) const {
    const bool rgb = colours == PixelColours::Rgb;
    if (context == nullptr || (rgb && source == target)) {
        return nullptr;
    }
    const ProfileHandle from = OpenProfile(context, source);
    const ProfileHandle to = OpenProfile(context, target);
    if (!from || !to || !DescribesColours(from.get()) || !DescribesColours(to.get()) ||
        cmsGetColorSpace(from.get()) != SpaceOf(colours) ||
        cmsGetColorSpace(to.get()) != cmsSigRgbData) {
        return nullptr; // the values are shown as they are
    }
    const bool perceptual = cmsIsCLUT(from.get(), INTENT_PERCEPTUAL, LCMS_USED_AS_INPUT);
    const cmsUInt32Number intent = perceptual ? INTENT_PERCEPTUAL : INTENT_RELATIVE_COLORIMETRIC;
    const cmsUInt32Number flags = cmsFLAGS_NOCACHE |
                                  (perceptual ? 0 : cmsFLAGS_BLACKPOINTCOMPENSATION) |
                                  (exactly ? cmsFLAGS_NOOPTIMIZE : 0);
    if (rgb) {
        const std::vector<uint32_t> pixels = TestPixels();
        const std::vector<uint32_t> exact =
            TransformedExactly(context, from.get(), to.get(), intent, flags, pixels);
        if (exact.empty()) {
            return nullptr;
        }
        if (LargestDifference(pixels, exact) <= 1) {
            return nullptr; // the target is the source under another name
        }
        if (const std::unique_ptr<MatrixShaperTables> tables =
                MatrixShaperOf(from.get(), to.get())) {
            auto fast = std::make_unique<MatrixShaperTransform>(*tables, WidestSimdPath());
            if (LargestDifference(Transformed(*fast, pixels), exact) <= 2) {
                return fast;
            }
        }
    }
    void* handle = cmsCreateTransformTHR(context, from.get(), FormatOf(colours), to.get(),
                                         TYPE_BGRA_8, intent, flags);
    if (handle == nullptr) {
        return nullptr;
    }
    return std::make_unique<LittleCmsTransform>(handle);
}
