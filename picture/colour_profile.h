// What a picture's pixel values mean, or what a monitor makes of the values it
// is sent: sRGB, Adobe RGB (1998) as a camera's Exif data marks it, or the
// colour space an ICC profile describes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ColourProfile {
public:
    // The largest ICC profile taken from a file or for a monitor; real ones
    // are a few kilobytes, large printer profiles about a megabyte.
    static constexpr size_t MostIccBytes = size_t{4} << 20;

    ColourProfile() = default; // sRGB
    static ColourProfile AdobeRgb();
    // The profile in these bytes; sRGB when there are none or more than
    // MostIccBytes. Whether they hold a usable profile is found out when a
    // transform is made from them.
    static ColourProfile Icc(std::vector<uint8_t> bytes);

    bool IsSrgb() const { return kind == Kind::Srgb; }
    bool IsAdobeRgb() const { return kind == Kind::AdobeRgb; }
    // The ICC profile's bytes; null unless it is one.
    const std::vector<uint8_t>* IccBytes() const { return icc.get(); }

    friend bool operator==(const ColourProfile& a, const ColourProfile& b);
    friend bool operator!=(const ColourProfile& a, const ColourProfile& b) { return !(a == b); }

private:
    enum class Kind { Srgb, AdobeRgb, Icc };
    Kind kind = Kind::Srgb;
    // Shared, so that a profile is handed from thread to thread and request to
    // request without copying its bytes; never changed once made.
    std::shared_ptr<const std::vector<uint8_t>> icc;
};
