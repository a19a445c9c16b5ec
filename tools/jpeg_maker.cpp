#include "tools/jpeg_maker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace {
int ComponentsOf(JpegColours colours) {
    switch (colours) {
    case JpegColours::Grey:
        return 1;
    case JpegColours::TwoComponents:
        return 2;
    case JpegColours::Colour:
        return 3;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
        break;
    }
    return 4;
}

void SetColourSpace(jpeg_compress_struct& info, JpegColours colours) {
    switch (colours) {
    case JpegColours::Grey:
        info.in_color_space = JCS_GRAYSCALE;
        break;
    case JpegColours::Colour:
        info.in_color_space = JCS_RGB;
        break;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
        info.in_color_space = JCS_CMYK;
        break;
    case JpegColours::TwoComponents:
        info.in_color_space = JCS_UNKNOWN;
        break;
    }
    jpeg_set_defaults(&info);
    if (colours == JpegColours::Ycck) {
        jpeg_set_colorspace(&info, JCS_YCCK);
    }
}

// Marker positions are found by their bytes: inside entropy-coded data a 0xFF is
// always followed by 0x00, so 0xFF and a marker code mean that marker.
size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t code, bool last) {
    size_t found = jpeg.size();
    for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) {
            found = i;
            if (!last) {
                break;
            }
        }
    }
    if (found == jpeg.size()) {
        throw std::runtime_error("marker not found");
    }
    return found;
}
} // namespace

std::vector<uint8_t> MakeJpeg(const JpegRecipe& recipe, const std::vector<uint8_t>& samples) {
    const int components = ComponentsOf(recipe.colours);
    if (samples.size() != size_t(recipe.width) * size_t(recipe.height) * size_t(components)) {
        throw std::invalid_argument("sample count does not match the recipe");
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(recipe.width);
    info.image_height = static_cast<JDIMENSION>(recipe.height);
    info.input_components = components;
    SetColourSpace(info, recipe.colours);
    jpeg_set_quality(&info, recipe.quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        const bool halved = recipe.sampling == JpegSampling::Halved && c == 0 &&
                            recipe.colours == JpegColours::Colour;
        info.comp_info[c].h_samp_factor = halved ? 2 : 1;
        info.comp_info[c].v_samp_factor = halved ? 2 : 1;
    }
    if (recipe.kind == JpegKind::Progressive) {
        jpeg_simple_progression(&info);
    }
    info.restart_interval = static_cast<unsigned int>(recipe.restartInterval);
    info.arith_code = recipe.arithmetic ? TRUE : FALSE;
    info.write_JFIF_header = recipe.app1.empty() ? TRUE : FALSE; // cameras write Exif alone
    jpeg_start_compress(&info, TRUE);
    if (!recipe.app1.empty()) {
        jpeg_write_marker(&info, JPEG_APP0 + 1, recipe.app1.data(),
                          static_cast<unsigned int>(recipe.app1.size()));
    }
    for (const std::vector<uint8_t>& marker : recipe.app2) {
        jpeg_write_marker(&info, JPEG_APP0 + 2, marker.data(),
                          static_cast<unsigned int>(marker.size()));
    }
    const size_t stride = size_t(recipe.width) * size_t(components);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> jpeg(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}

// The texts (each with its terminating zero, as TIFF stores them) follow the
// first directory in the order of its entries; the Exif directory and its
// text come last.
std::vector<uint8_t> ExifBlock(int orientation, ByteOrder order, const std::string& taken,
                               const std::string& edited) {
    std::vector<uint8_t> block = {'E', 'x', 'i', 'f', 0, 0};
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (order == ByteOrder::Big ? bytes - 1 - i : i);
            block.push_back(static_cast<uint8_t>(value >> shift));
        }
    };
    // Tag, type, count, value (or the offset of values over 4 bytes).
    const auto entry = [&](uint32_t tag, uint32_t type, size_t count, uint32_t value) {
        put(tag, 2);
        put(type, 2);
        put(uint32_t(count), 4);
        put(value, type == 3 ? 2 : 4); // a SHORT fills the first two bytes
        put(0, type == 3 ? 2 : 0);
    };
    const auto putText = [&](const std::string& text) {
        block.insert(block.end(), text.c_str(), text.c_str() + text.size() + 1);
    };
    const std::string make = "Camera";
    const uint32_t entries = 2 + !edited.empty() + !taken.empty();
    const uint32_t makeAt = 8 + 2 + entries * 12 + 4;
    const uint32_t editedAt = makeAt + uint32_t(make.size() + 1);
    const uint32_t exifAt = editedAt + uint32_t(edited.empty() ? 0 : edited.size() + 1);
    block.insert(block.end(), 2, order == ByteOrder::Big ? 'M' : 'I');
    put(42, 2);
    put(8, 4); // the directory follows the header
    put(entries, 2);
    entry(0x010F, 2, make.size() + 1, makeAt); // ASCII
    entry(0x0112, 3, 1, uint32_t(orientation));
    if (!edited.empty()) {
        entry(0x0132, 2, edited.size() + 1, editedAt); // DateTime, the day of the last edit
    }
    if (!taken.empty()) {
        entry(0x8769, 4, 1, exifAt); // the Exif directory, a LONG
    }
    put(0, 4); // no further directory
    putText(make);
    if (!edited.empty()) {
        putText(edited);
    }
    if (!taken.empty()) {
        put(1, 2);
        entry(0x9003, 2, taken.size() + 1, exifAt + 2 + 12 + 4); // DateTimeOriginal
        put(0, 4);
        putText(taken);
    }
    return block;
}

std::vector<uint8_t> ColourSpaceExifBlock(uint16_t colourSpace, const std::string& index) {
    // Little-endian: IFD0 at 8 with the Exif pointer; the Exif directory at
    // 26 with ColorSpace and the interoperability pointer; that directory at
    // 56 with the index, whose text fits in its value field.
    std::vector<uint8_t> block = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0};
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            block.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    const auto entry = [&](uint32_t tag, uint32_t type, uint32_t count, uint32_t value) {
        put(tag, 2);
        put(type, 2);
        put(count, 4);
        put(value, 4);
    };
    put(1, 2);
    entry(0x8769, 4, 1, 26); // the Exif directory
    put(0, 4);
    put(2, 2);
    entry(0xA001, 3, 1, colourSpace);
    entry(0xA005, 4, 1, 56); // the interoperability directory
    put(0, 4);
    put(1, 2);
    uint32_t text = 0;
    for (size_t i = 0; i < index.size() && i < 4; ++i) {
        text |= uint32_t(uint8_t(index[i])) << (8 * i);
    }
    entry(0x0001, 2, uint32_t(index.size() + 1), text);
    put(0, 4);
    return block;
}

std::vector<std::vector<uint8_t>> IccMarkers(const std::vector<uint8_t>& profile,
                                             size_t chunkBytes) {
    const size_t count = (profile.size() + chunkBytes - 1) / chunkBytes;
    std::vector<std::vector<uint8_t>> markers;
    for (size_t i = 0; i < count; ++i) {
        std::vector<uint8_t> marker = {
            'I',           'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, uint8_t(i + 1),
            uint8_t(count)};
        const size_t end = std::min(profile.size(), (i + 1) * chunkBytes);
        marker.insert(marker.end(), profile.begin() + long(i * chunkBytes),
                      profile.begin() + long(end));
        markers.push_back(std::move(marker));
    }
    return markers;
}

std::vector<uint8_t> Uniform(const JpegRecipe& recipe, const std::vector<uint8_t>& colour) {
    std::vector<uint8_t> samples;
    samples.reserve(size_t(recipe.width) * size_t(recipe.height) * colour.size());
    for (int i = 0; i < recipe.width * recipe.height; ++i) {
        samples.insert(samples.end(), colour.begin(), colour.end());
    }
    return samples;
}

void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
    size_t frame;
    try {
        frame = FindMarker(jpeg, 0xC0, false);
    } catch (const std::runtime_error&) {
        frame = FindMarker(jpeg, 0xC2, false);
    }
    // Marker, length (2), precision (1), then height and width, big-endian.
    jpeg[frame + 5] = static_cast<uint8_t>(height >> 8);
    jpeg[frame + 6] = static_cast<uint8_t>(height);
    jpeg[frame + 7] = static_cast<uint8_t>(width >> 8);
    jpeg[frame + 8] = static_cast<uint8_t>(width);
}

void RepeatLastScan(std::vector<uint8_t>& jpeg, int extra) {
    const size_t scan = FindMarker(jpeg, 0xDA, true);
    const size_t end = FindMarker(jpeg, 0xD9, true);
    const std::vector<uint8_t> copy(jpeg.begin() + scan, jpeg.begin() + end);
    std::vector<uint8_t> repeated;
    for (int i = 0; i < extra; ++i) {
        repeated.insert(repeated.end(), copy.begin(), copy.end());
    }
    jpeg.insert(jpeg.begin() + end, repeated.begin(), repeated.end());
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (written != bytes.size()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<uint8_t> PhotoSamples(int width, int height) {
    std::vector<uint8_t> samples(size_t(width) * size_t(height) * 3);
    uint32_t grain = 12345;
    const double cx = width * 0.62, cy = height * 0.45, radius = height * 0.28;
    for (int y = 0; y < height; ++y) {
        const double v = double(y) / height;
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            double r = 150 + 60 * std::sin(3.1 * u + 1.3) * std::cos(2.3 * v);
            double g = 120 + 70 * std::sin(2.2 * v + 4.0 * u * v);
            double b = 110 + 90 * std::cos(1.7 * u - 2.9 * v);
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy < radius * radius) { // a bright round object
                r = r * 0.5 + 110;
                g = g * 0.6 + 60;
                b *= 0.4;
            }
            if ((x / 97 + y / 131) % 7 == 0) { // a patterned surface
                const double t = 25 * std::sin(x * 0.45) * std::sin(y * 0.37);
                r += t;
                g += t;
                b += t;
            }
            grain = grain * 1664525u + 1013904223u;
            const double n = double(grain >> 24) / 255.0 * 16 - 8;
            uint8_t* s = &samples[(size_t(y) * size_t(width) + size_t(x)) * 3];
            s[0] = uint8_t(std::clamp(r + n, 0.0, 255.0));
            s[1] = uint8_t(std::clamp(g + n, 0.0, 255.0));
            s[2] = uint8_t(std::clamp(b + n, 0.0, 255.0));
        }
    }
    return samples;
}
