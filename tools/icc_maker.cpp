#include "tools/icc_maker.h"

#include <lcms2.h>

#include <memory>
#include <stdexcept>

namespace {
struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

struct CurveFreer {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
using Curve = std::unique_ptr<cmsToneCurve, CurveFreer>;

std::vector<uint8_t> Saved(const Profile& profile) {
    cmsUInt32Number size = 0;
    if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size)) {
        throw std::runtime_error("a profile was not made");
    }
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile.get(), bytes.data(), &size);
    return bytes;
}

std::vector<uint8_t> MatrixShaper(const cmsCIExyYTRIPLE& primaries, const Curve& curve) {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0}; // D65
    cmsToneCurve* curves[3] = {curve.get(), curve.get(), curve.get()};
    return Saved(Profile(cmsCreateRGBProfile(&white, &primaries, curves)));
}

// sRGB's curve: IEC 61966-2.1's parameters.
Curve SrgbCurve() {
    const cmsFloat64Number parameters[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return Curve(cmsBuildParametricToneCurve(nullptr, 4, parameters));
}

// Lab of inks c, m, y, k (0 for none, 1 for full): each ink takes its
// complement out of white, as a plain print would.
int SampleInks(const cmsUInt16Number in[], cmsUInt16Number out[], void*) {
    cmsFloat64Number ink[4];
    for (int i = 0; i < 4; ++i) {
        ink[i] = in[i] / 65535.0;
    }
    const cmsFloat64Number k = 1 - ink[3];
    const cmsCIEXYZ rgb = {(1 - ink[0]) * k, (1 - ink[1]) * k, (1 - ink[2]) * k};
    // Roughly sRGB-like XYZ (D50) from the linear light each ink leaves.
    const cmsCIEXYZ xyz = {0.4361 * rgb.X + 0.3851 * rgb.Y + 0.1431 * rgb.Z,
                           0.2225 * rgb.X + 0.7169 * rgb.Y + 0.0606 * rgb.Z,
                           0.0139 * rgb.X + 0.0971 * rgb.Y + 0.7141 * rgb.Z};
    cmsCIELab lab;
    cmsXYZ2Lab(cmsD50_XYZ(), &lab, &xyz);
    cmsFloat2LabEncoded(out, &lab);
    return 1;
}
} // namespace

std::vector<uint8_t> AdobeRgbIcc() {
    return MatrixShaper({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}},
                        Curve(cmsBuildGamma(nullptr, 563.0 / 256.0)));
}

std::vector<uint8_t> DisplayP3Icc() {
    return MatrixShaper({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}}, SrgbCurve());
}

std::vector<uint8_t> SwappedRedGreenIcc() {
    return MatrixShaper({{0.30, 0.60, 1}, {0.64, 0.33, 1}, {0.15, 0.06, 1}}, SrgbCurve());
}

std::vector<uint8_t> GreyIcc() {
    const Curve gamma(cmsBuildGamma(nullptr, 2.2));
    return Saved(Profile(cmsCreateGrayProfile(cmsD50_xyY(), gamma.get())));
}

std::vector<uint8_t> CmykIcc(int gridPoints) {
    const Profile profile(cmsCreateProfilePlaceholder(nullptr));
    cmsSetProfileVersion(profile.get(), 4.3);
    cmsSetDeviceClass(profile.get(), cmsSigOutputClass);
    cmsSetColorSpace(profile.get(), cmsSigCmykData);
    cmsSetPCS(profile.get(), cmsSigLabData);
    cmsPipeline* table = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* grid = cmsStageAllocCLut16bit(nullptr, cmsUInt32Number(gridPoints), 4, 3, nullptr);
    // A table of version 4 takes curves before and after its grid.
    if (table == nullptr || grid == nullptr ||
        !cmsStageSampleCLut16bit(grid, SampleInks, nullptr, 0) ||
        !cmsPipelineInsertStage(table, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr)) ||
        !cmsPipelineInsertStage(table, cmsAT_END, grid) ||
        !cmsPipelineInsertStage(table, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr)) ||
        !cmsWriteTag(profile.get(), cmsSigAToB0Tag, table)) {
        throw std::runtime_error("the CMYK profile was not made");
    }
    cmsPipelineFree(table);
    cmsWriteTag(profile.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ());
    return Saved(profile);
}
