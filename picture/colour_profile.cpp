#include "picture/colour_profile.h"

#include <utility>

ColourProfile ColourProfile::AdobeRgb() {
    ColourProfile profile;
    profile.kind = Kind::AdobeRgb;
    return profile;
}

ColourProfile ColourProfile::Icc(std::vector<uint8_t> bytes) {
    ColourProfile profile;
    if (!bytes.empty() && bytes.size() <= MostIccBytes) {
        profile.kind = Kind::Icc;
        profile.icc = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    }
    return profile;
}

bool operator==(const ColourProfile& a, const ColourProfile& b) {
    if (a.kind != b.kind) {
        return false;
    }
    return a.kind != ColourProfile::Kind::Icc || a.icc == b.icc || *a.icc == *b.icc;
}
