// Draws the program's sample pictures for `make run`: landscapes, a portrait,
// a greyscale and a progressive picture, a small one, and a file with a ".jpg"
// name that is not a JPEG stream.
//   make_sample_pictures FOLDER
#include "tools/jpeg_maker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace {
// A picture as the JPEG maker takes it.
struct Drawing {
    JpegRecipe recipe;
    std::vector<uint8_t> samples;
};

// Colour samples in 4:2:0 at quality 90, as a camera's file has them.
JpegRecipe Recipe(int width, int height) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.sampling = JpegSampling::Halved;
    recipe.quality = 90;
    return recipe;
}

struct Colour {
    double red, green, blue; // 0 to 1
};

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

uint8_t Byte(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

// Fills a picture from a colour at each point (u, v), both 0 to 1.
Drawing Paint(int width, int height, const std::function<Colour(double, double)>& at) {
    Drawing drawing{Recipe(width, height), {}};
    drawing.samples.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = at((x + 0.5) / width, (y + 0.5) / height);
            drawing.samples.insert(drawing.samples.end(),
                                   {Byte(c.red), Byte(c.green), Byte(c.blue)});
        }
    }
    return drawing;
}

// A fixed pseudo-random value from 0 to 1 for a grid cell.
double Scatter(uint32_t column, uint32_t row) {
    uint32_t h = column * 73856093u ^ row * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFFu) / 65536.0;
}

// A sunrise over two ridges of hills.
Colour Dawn(double u, double v) {
    const double far = 0.62 + 0.05 * std::sin(u * 9.0) + 0.03 * std::sin(u * 23.0 + 1.0);
    const double near = 0.75 + 0.06 * std::sin(u * 5.0 + 2.0) + 0.02 * std::sin(u * 31.0);
    if (v > near) {
        return Mix({0.10, 0.16, 0.10}, {0.03, 0.06, 0.04}, (v - near) * 4);
    }
    if (v > far) {
        return Mix({0.30, 0.24, 0.35}, {0.18, 0.16, 0.26}, (v - far) * 6);
    }
    const double sun = std::hypot((u - 0.62) * 4.0 / 3.0, v - 0.55);
    if (sun < 0.07) {
        return {1.0, 0.93, 0.70};
    }
    const Colour sky = Mix({0.12, 0.18, 0.45}, {0.98, 0.58, 0.30}, v / 0.62);
    return Mix({1.0, 0.80, 0.45}, sky, (sun - 0.07) * 5);
}

// Green and violet curtains over a night sky, in portrait format.
Colour Aurora(double u, double v) {
    const double wave = std::sin(u * 7.0 + std::sin(v * 5.0) * 1.5);
    const double curtain = std::exp(-std::pow((v - 0.35 - 0.1 * wave) * 6.0, 2));
    const Colour night = Mix({0.02, 0.03, 0.10}, {0.05, 0.10, 0.18}, v);
    const Colour glow = Mix({0.20, 0.95, 0.55}, {0.60, 0.30, 0.85}, 0.5 + 0.5 * wave);
    const bool star =
        Scatter(static_cast<uint32_t>(u * 240), static_cast<uint32_t>(v * 360)) < 0.015;
    const Colour sky = Mix(night, glow, curtain * 0.9);
    return star ? Mix(sky, {1, 1, 1}, 0.8) : sky;
}

// Interfering waves across a wide panorama.
Colour Waves(double u, double v) {
    const double a = std::sin(u * 20.0 + std::sin(v * 6.0));
    const double b = std::sin(std::hypot(u * 2.7 - 1.0, v - 0.5) * 25.0);
    const double t = 0.5 + 0.25 * (a + b);
    return Mix(Mix({0.02, 0.20, 0.40}, {0.10, 0.65, 0.75}, t), {0.95, 0.95, 0.85},
               std::pow(t, 6.0));
}

// A field of flowers under a pale sky, large enough to be decoded at a quarter.
Colour Meadow(double u, double v) {
    if (v < 0.35) {
        return Mix({0.55, 0.75, 0.95}, {0.85, 0.92, 1.0}, v / 0.35);
    }
    // Rows of flowers that grow larger towards the front.
    const double depth = (v - 0.35) / 0.65;
    const double rows = 3.0 + 12.0 * (1.0 - std::sqrt(depth));
    const double cellV = rows, cellU = u * (10.0 + 40.0 * (1.0 - depth));
    const auto column = static_cast<uint32_t>(cellU), row = static_cast<uint32_t>(cellV * 4);
    const double dx = cellU - std::floor(cellU) - 0.5 + 0.3 * (Scatter(column, row) - 0.5);
    const double dy = (cellV * 4 - std::floor(cellV * 4) - 0.5) * 0.5;
    const int hue = static_cast<int>(Scatter(row, column) * 3);
    const Colour petals[] = {{0.95, 0.85, 0.20}, {0.90, 0.30, 0.40}, {0.95, 0.95, 0.95}};
    const Colour grass = Mix({0.35, 0.60, 0.20}, {0.15, 0.40, 0.10}, v);
    return std::hypot(dx, dy) < 0.22 ? petals[hue] : grass;
}

// Coloured tiles, smaller than any show window.
Colour Tiles(double u, double v) {
    const int column = static_cast<int>(u * 8), row = static_cast<int>(v * 6);
    const Colour colours[] = {
        {0.90, 0.35, 0.25}, {0.95, 0.75, 0.20}, {0.30, 0.65, 0.40}, {0.25, 0.45, 0.80}};
    return colours[(column + 2 * row) % 4];
}

// Concentric rings fading outwards, as one-component greyscale samples.
Drawing Rings(int size) {
    Drawing drawing{Recipe(size, size), {}};
    drawing.recipe.colours = JpegColours::Grey;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x - size / 2.0, y - size / 2.0) / size;
            drawing.samples.push_back(Byte((0.5 + 0.5 * std::cos(r * 60.0)) * (1.0 - r)));
        }
    }
    return drawing;
}

// A file with a picture's name that holds text instead of a JPEG stream.
bool WriteBroken(const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fputs("Not a JPEG stream.\n", file) >= 0;
    if (file != nullptr && std::fclose(file) != 0) {
        return false;
    }
    return written;
}

bool Write(const std::string& folder, const char* name, const Drawing& drawing) {
    const std::string path = folder + "/" + name;
    try {
        WriteFile(path, MakeJpeg(drawing.recipe, drawing.samples));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sample_pictures: %s: %s\n", path.c_str(), error.what());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_pictures FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    Drawing waves = Paint(2400, 900, Waves);
    waves.recipe.kind = JpegKind::Progressive;
    bool written = Write(folder, "1-dawn.jpg", Paint(1600, 1200, Dawn)) &&
                   Write(folder, "2-aurora.jpg", Paint(720, 1080, Aurora)) &&
                   Write(folder, "3-rings.jpg", Rings(900)) &&
                   Write(folder, "4-waves.jpg", waves) && WriteBroken(folder, "5-broken.jpg") &&
                   Write(folder, "6-meadow.jpg", Paint(3200, 2400, Meadow)) &&
                   Write(folder, "7-tiles.jpg", Paint(320, 240, Tiles));
    return written ? 0 : 1;
}
