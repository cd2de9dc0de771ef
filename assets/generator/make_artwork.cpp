// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's artwork: the card picture (card.bmp), the
// application icon (quartet.ico) and the same icon as PNG files for the
// desktop's icon theme (quartet-16.png, quartet-32.png, quartet-64.png).
//
//   make_artwork <output directory>
//
// The output is byte for byte the same on every run: the pictures are drawn
// with integer hashing, basic arithmetic and square roots only, which IEEE 754
// rounds exactly (no library maths whose last bit may differ between
// platforms), and every choice that could depend on ordering is broken by a
// fixed rule.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Little-endian byte output

class ByteWriter {
public:
    void u8(unsigned value) { m_bytes.push_back(static_cast<std::uint8_t>(value)); }
    void u16(unsigned value)
    {
        u8(value & 0xFFu);
        u8((value >> 8) & 0xFFu);
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xFFFFu);
        u16(value >> 16);
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

Colour mix(const Colour& from, const Colour& to, double t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t};
}

std::uint8_t toByte(double channel)
{
    const double clamped = std::clamp(channel, 0.0, 255.0);
    return static_cast<std::uint8_t>(clamped + 0.5);
}

Rgb toRgb(const Colour& colour)
{
    return {toByte(colour.r), toByte(colour.g), toByte(colour.b)};
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// ---------------------------------------------------------------------------
// Value noise: random values on an integer lattice, smoothly interpolated.

double latticeValue(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed;
    h ^= static_cast<std::uint32_t>(x) * 0x27D4EB2Du;
    h = (h ^ (h >> 15)) * 0x85EBCA6Bu;
    h ^= static_cast<std::uint32_t>(y) * 0x165667B1u;
    h = (h ^ (h >> 13)) * 0xC2B2AE35u;
    h ^= h >> 16;
    return static_cast<double>(h) / 4294967296.0;
}

int floorToInt(double value)
{
    const int truncated = static_cast<int>(value);
    return value < truncated ? truncated - 1 : truncated;
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const int x0 = floorToInt(x);
    const int y0 = floorToInt(y);
    const double fx = smoothstep(0.0, 1.0, x - x0);
    const double fy = smoothstep(0.0, 1.0, y - y0);
    const double top = latticeValue(x0, y0, seed) + (latticeValue(x0 + 1, y0, seed) - latticeValue(x0, y0, seed)) * fx;
    const double bottom =
        latticeValue(x0, y0 + 1, seed) + (latticeValue(x0 + 1, y0 + 1, seed) - latticeValue(x0, y0 + 1, seed)) * fx;
    return top + (bottom - top) * fy;
}

// Three octaves of value noise, in [0, 1): large lumps with finer curls on them.
double fractalNoise(double x, double y)
{
    constexpr std::uint32_t seed = 24u;
    double sum = 0;
    double amplitude = 0.5;
    double scale = 1.0 / 6.0;
    double total = 0;
    for (std::uint32_t octave = 0; octave < 3; ++octave) {
        sum += amplitude * valueNoise(x * scale, y * scale, seed + octave);
        total += amplitude;
        amplitude *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}

// ---------------------------------------------------------------------------
// The card picture: light blue sky with soft white clouds.

constexpr int cardWidth = 75;
constexpr int cardHeight = 102;

// A cloud is a cluster of round puffs, each lit like a ball from the upper
// left, painted back to front so that the lower puffs bulge in front of the
// ones above them. Underneath, the cloud fades out along a flat base, as
// cumulus clouds do.
struct Puff {
    double x;
    double y;
    double radius;
};

struct Cloud {
    std::vector<Puff> puffs;  // back to front
    double base;
};

const std::vector<Cloud>& cardClouds()
{
    // One cloud a row of puffs, left as drawn.
    // clang-format off
    static const std::vector<Cloud> clouds = {
        // Upper right, running off the edge.
        {{{60, 11, 9}, {70, 14, 8}, {51, 15, 7}, {78, 18, 7}, {44, 19, 5}, {57, 19, 7},
          {67, 20, 6}},
         23},
        // A small one drifting off at the top left.
        {{{6, 4, 7}, {-2, 7, 6}, {13, 7, 5}, {3, 10, 5}, {18, 10, 3}}, 13},
        // Middle left.
        {{{9, 47, 9}, {0, 51, 7}, {18, 50, 7}, {26, 54, 5}, {6, 55, 6}, {15, 56, 6},
          {32, 57, 3}},
         58},
        // A long bank along the bottom, where the sky is palest.
        {{{29, 86, 10}, {55, 85, 10}, {8, 88, 9}, {43, 89, 9}, {70, 88, 9}, {-2, 93, 9},
          {18, 92, 9}, {33, 95, 10}, {59, 93, 9}, {78, 95, 8}, {6, 100, 9}, {47, 100, 10},
          {24, 103, 9}, {68, 102, 9}},
         110},
    };
    // clang-format on
    return clouds;
}

Colour skyColour(double y)
{
    const Colour high{138, 190, 236};
    const Colour low{214, 233, 250};
    const double t = y / (cardHeight - 1);
    return mix(high, low, t * (2.0 - t) * 0.55 + t * t * 0.45);
}

// How much of the pixel a puff covers: soft at the rim, and the rim frayed by
// noise so that the clouds look fluffy rather than drawn with compasses.
double puffCover(const Puff& puff, double x, double y)
{
    const double dx = x - puff.x;
    const double dy = y - puff.y;
    const double q = (dx * dx + dy * dy) / (puff.radius * puff.radius);
    const double frayed = q + (fractalNoise(x, y) - 0.5) * 0.9;
    return smoothstep(1.0, 0.4, frayed);
}

// Light on a puff: diffuse light on it as on a ball, blended with the shadow
// that the cloud casts on its own underside, which keeps the puffs from
// looking like separate balls.
Colour puffColour(const Puff& puff, double base, double x, double y)
{
    const double nx = std::clamp((x - puff.x) / puff.radius, -1.0, 1.0);
    const double ny = std::clamp((y - puff.y) / puff.radius, -1.0, 1.0);
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    // Towards the viewer, up and a little to the left; of unit length.
    const double lx = -0.32;
    const double ly = -0.62;
    const double lz = 0.716;
    const double onBall = std::clamp(nx * lx + ny * ly + nz * lz, 0.0, 1.0);
    const double aboveBase = smoothstep(base, base - 14.0, y);
    const double light = 0.6 * onBall + 0.4 * aboveBase;
    const Colour sunlit{255, 255, 255};
    const Colour shadowed{204, 219, 240};
    return mix(shadowed, sunlit, 0.35 + 0.65 * light);
}

Colour cardPixel(int px, int py)
{
    const double x = px + 0.5;
    const double y = py + 0.5;
    Colour colour = skyColour(y);
    for (const Cloud& cloud : cardClouds()) {
        const double underBase = smoothstep(cloud.base + 2.0, cloud.base - 3.0, y);
        for (const Puff& puff : cloud.puffs) {
            const double cover = puffCover(puff, x, y) * underBase;
            if (cover > 0.0)
                colour = mix(colour, puffColour(puff, cloud.base, x, y), cover * 0.96);
        }
    }
    return colour;
}

std::vector<Rgb> renderCard()
{
    std::vector<Rgb> pixels;
    pixels.reserve(cardWidth * cardHeight);
    for (int y = 0; y < cardHeight; ++y) {
        for (int x = 0; x < cardWidth; ++x)
            pixels.push_back(toRgb(cardPixel(x, y)));
    }
    return pixels;
}

// ---------------------------------------------------------------------------
// Reduction to 256 colours: median cut for a start, refined by k-means.

constexpr std::size_t paletteSize = 256;
using Palette = std::vector<Rgb>;

int channel(const Rgb& colour, int which)
{
    return which == 0 ? colour.r : which == 1 ? colour.g : colour.b;
}

bool lessByChannel(const Rgb& a, const Rgb& b, int first)
{
    for (int step = 0; step < 3; ++step) {
        const int which = (first + step) % 3;
        if (channel(a, which) != channel(b, which))
            return channel(a, which) < channel(b, which);
    }
    return false;
}

struct Box {
    std::size_t begin;
    std::size_t end;
};

// Widest channel of a box and its range.
std::pair<int, int> widestChannel(const std::vector<Rgb>& colours, const Box& box)
{
    int bestChannel = 0;
    int bestRange = -1;
    for (int which = 0; which < 3; ++which) {
        int low = 255;
        int high = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            low = std::min(low, channel(colours[i], which));
            high = std::max(high, channel(colours[i], which));
        }
        if (high - low > bestRange) {
            bestRange = high - low;
            bestChannel = which;
        }
    }
    return {bestChannel, bestRange};
}

Rgb averageColour(const std::vector<Rgb>& colours, std::size_t begin, std::size_t end)
{
    std::array<std::uint64_t, 3> sums{};
    for (std::size_t i = begin; i < end; ++i) {
        for (int which = 0; which < 3; ++which)
            sums[which] += static_cast<std::uint64_t>(channel(colours[i], which));
    }
    const std::uint64_t count = end - begin;
    auto average = [&](int which) { return static_cast<std::uint8_t>((sums[which] + count / 2) / count); };
    return {average(0), average(1), average(2)};
}

Palette medianCut(std::vector<Rgb> colours)
{
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < paletteSize) {
        std::size_t chosen = boxes.size();
        int chosenChannel = 0;
        int chosenRange = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const auto [which, range] = widestChannel(colours, boxes[i]);
            if (range > chosenRange) {
                chosen = i;
                chosenChannel = which;
                chosenRange = range;
            }
        }
        if (chosen == boxes.size())
            break;  // every box holds a single colour
        const Box box = boxes[chosen];
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [&](const Rgb& a, const Rgb& b) { return lessByChannel(a, b, chosenChannel); });
        const std::size_t middle = box.begin + (box.end - box.begin) / 2;
        boxes[chosen] = {box.begin, middle};
        boxes.push_back({middle, box.end});
    }
    Palette palette;
    for (const Box& box : boxes)
        palette.push_back(averageColour(colours, box.begin, box.end));
    return palette;
}

int distanceSquared(const Rgb& a, const Rgb& b)
{
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

std::uint8_t nearestIndex(const Palette& palette, const Rgb& colour)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < palette.size(); ++i) {
        if (distanceSquared(palette[i], colour) < distanceSquared(palette[best], colour))
            best = i;
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> mapToPalette(const Palette& palette, const std::vector<Rgb>& pixels)
{
    std::vector<std::uint8_t> indices;
    indices.reserve(pixels.size());
    for (const Rgb& pixel : pixels)
        indices.push_back(nearestIndex(palette, pixel));
    return indices;
}

// Moves each palette colour to the mean of the pixels nearest to it.
Palette refine(Palette palette, const std::vector<Rgb>& pixels)
{
    constexpr int rounds = 12;
    for (int round = 0; round < rounds; ++round) {
        const std::vector<std::uint8_t> indices = mapToPalette(palette, pixels);
        Palette next = palette;
        for (std::size_t entry = 0; entry < palette.size(); ++entry) {
            std::vector<Rgb> members;
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                if (indices[i] == entry)
                    members.push_back(pixels[i]);
            }
            if (!members.empty())
                next[entry] = averageColour(members, 0, members.size());
        }
        if (next == palette)
            break;
        palette = std::move(next);
    }
    return palette;
}

int luminance(const Rgb& colour)
{
    return 299 * colour.r + 587 * colour.g + 114 * colour.b;
}

// Dark to light, so that the palette reads as a ramp in any viewer.
void sortByLuminance(Palette& palette)
{
    std::sort(palette.begin(), palette.end(), [](const Rgb& a, const Rgb& b) {
        if (luminance(a) != luminance(b))
            return luminance(a) < luminance(b);
        return lessByChannel(a, b, 0);
    });
}

struct IndexedImage {
    Palette palette;                    // always paletteSize entries
    std::vector<std::uint8_t> indices;  // top row first
};

IndexedImage quantize(const std::vector<Rgb>& pixels)
{
    Palette palette = refine(medianCut(pixels), pixels);
    sortByLuminance(palette);
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    std::vector<std::uint8_t> indices = mapToPalette(palette, pixels);
    palette.resize(paletteSize);  // unused entries stay black
    return {palette, indices};
}

// ---------------------------------------------------------------------------
// Device-independent bitmaps, as used by both BMP and ICO files.

constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::int32_t pixelsPerMetreAt96Dpi = 3780;

std::uint32_t rowStride(int width, int bitsPerPixel)
{
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

void writeInfoHeader(ByteWriter& out, int width, int storedHeight, int bitsPerPixel, std::uint32_t imageSize,
                     std::uint32_t coloursUsed)
{
    out.u32(infoHeaderSize);
    out.i32(width);
    out.i32(storedHeight);
    out.u16(1);  // planes
    out.u16(static_cast<unsigned>(bitsPerPixel));
    out.u32(0);  // no compression
    out.u32(imageSize);
    out.i32(pixelsPerMetreAt96Dpi);
    out.i32(pixelsPerMetreAt96Dpi);
    out.u32(coloursUsed);
    out.u32(0);  // all colours are important
}

void writePalette(ByteWriter& out, const Palette& palette)
{
    for (const Rgb& colour : palette) {
        out.u8(colour.b);
        out.u8(colour.g);
        out.u8(colour.r);
        out.u8(0);
    }
}

std::vector<std::uint8_t> encodeBmp(const IndexedImage& image, int width, int height)
{
    constexpr std::uint32_t fileHeaderSize = 14;
    const std::uint32_t stride = rowStride(width, 8);
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + static_cast<std::uint32_t>(paletteSize * 4);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);

    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + imageSize);
    out.u32(0);  // two reserved words
    out.u32(pixelOffset);
    writeInfoHeader(out, width, height, 8, imageSize, paletteSize);
    writePalette(out, image.palette);
    for (int y = height - 1; y >= 0; --y) {  // bottom row first
        for (int x = 0; x < width; ++x)
            out.u8(image.indices[static_cast<std::size_t>(y * width + x)]);
        out.zeros(stride - static_cast<std::uint32_t>(width));
    }
    return out.bytes();
}

// ---------------------------------------------------------------------------
// The application icon: a stack of four cards, the front one a patch of sky
// showing "24". Drawn by hand as pixel art, one letter per pixel.

// The sixteen colours of both icon images. Letters name them in the art below.
struct IconColour {
    char letter;
    Rgb colour;
};

constexpr std::array<IconColour, 16> iconColours = {{
    {'.', {0, 0, 0}},        // transparent: the mask hides it
    {'K', {30, 38, 66}},     // outlines and digits
    {'B', {112, 170, 228}},  // deep sky at the head of the front card
    {'S', {150, 202, 243}},  // sky
    {'s', {196, 226, 251}},  // pale sky towards the foot
    {'W', {255, 255, 255}},  // cloud
    {'c', {222, 235, 248}},  // cloud in shadow
    {'R', {232, 92, 78}},    // coral card
    {'r', {178, 56, 48}},    // its shaded edge
    {'O', {246, 152, 56}},   // orange card
    {'o', {196, 104, 30}},   // its shaded edge
    {'Y', {248, 208, 72}},   // gold card
    {'y', {200, 156, 30}},   // its shaded edge
    {'1', {0, 0, 0}},        // three spare entries, unused
    {'2', {0, 0, 0}},
    {'3', {0, 0, 0}},
}};

// The pixel art, one row a line, left as drawn.
// clang-format off
constexpr std::array<std::string_view, 32> icon32 = {
    "................................",
    "...............KKKKKKKKKKKKKK...",
    "..............KYYYYYYYYYYYYYyK..",
    "..............KYYYYYYYYYYYYYyK..",
    "...........KKKKKKKKKKKKKKYYYyK..",
    "..........KOOOOOOOOOOOOOoKYYyK..",
    "..........KOOOOOOOOOOOOOoKYYyK..",
    ".......KKKKKKKKKKKKKKOOOoKYYyK..",
    "......KRRRRRRRRRRRRRrKOOoKYYyK..",
    "......KRRRRRRRRRRRRRrKOOoKYYyK..",
    "...KKKKKKKKKKKKKKRRRrKOOoKYYyK..",
    "..KBBBBBBBBBBBBBBKRRrKOOoKYYyK..",
    "..KBBBBBBBBBBBBBBKRRrKOOoKYYyK..",
    "..KSSKKKSSSKKSKKSKRRrKOOoKYYyK..",
    "..KSKKSKKSSKKSKKSKRRrKOOoKYYyK..",
    "..KSSSSKKSSKKSKKSKRRrKOOoKYYyK..",
    "..KSSSSKKSSKKSKKSKRRrKOOoKYYyK..",
    "..KSSSKKSSSKKKKKSKRRrKOOoKYYyK..",
    "..KSSKKSSSSKKKKKSKRRrKOOoKYYyK..",
    "..KSKKSSSSSSSSKKSKRRrKOOoKYYyK..",
    "..KSKKKKKSSSSSKKSKRRrKOOoKYYyK..",
    "..KSKKKKKSSSSSKKSKRRrKOOoKKKK...",
    "..KSSSSSSSSSSSSSSKRRrKOOoK......",
    "..KSSSSSSSSSSSSSSKRRrKOOoK......",
    "..KssssssssssssssKRRrKKKK.......",
    "..KssssssWWssssssKRRrK..........",
    "..KssssWWWWWsWWssKRRrK..........",
    "..KsssWWWWWWWWWWsKKKK...........",
    "..KsssccccccccccsK..............",
    "..KssssssssssssssK..............",
    "...KKKKKKKKKKKKKK...............",
    "................................",
};

constexpr std::array<std::string_view, 16> icon16 = {
    ".......KKKKKKKKK",
    "......KYYYYYYYYy",
    ".....KKKKKKKKKYy",
    "....KOOOOOOOOOKy",
    "...KKKKKKKKKOOKy",
    "..KRRRRRRRRRKOKy",
    ".KKKKKKKKKRRKOKy",
    "KSSSSSSSSSKRKOKy",
    "KSKKSSKSKSKRKOKy",
    "KSSSKSKSKSKRKOKK",
    "KSSKSSKKKSKRKOK.",
    "KSKSSSSSKSKRKK..",
    "KSKKKSSSKSKRK...",
    "KSSSSSSSSSKK....",
    "KSSSSSSSSSK.....",
    ".KKKKKKKKK......",
};
// clang-format on

struct IconImage {
    int size;
    std::vector<std::uint8_t> indices;  // top row first
};

std::uint8_t iconIndex(char letter)
{
    for (std::size_t i = 0; i < iconColours.size(); ++i) {
        if (iconColours[i].letter == letter)
            return static_cast<std::uint8_t>(i);
    }
    std::cerr << "make_artwork: unknown icon colour '" << letter << "'\n";
    std::exit(EXIT_FAILURE);
}

template <std::size_t Size>
IconImage iconFromArt(const std::array<std::string_view, Size>& art)
{
    IconImage image{static_cast<int>(Size), {}};
    for (std::string_view row : art) {
        if (row.size() != Size) {
            std::cerr << "make_artwork: icon row \"" << row << "\" is not " << Size << " pixels wide\n";
            std::exit(EXIT_FAILURE);
        }
        for (char letter : row)
            image.indices.push_back(iconIndex(letter));
    }
    return image;
}

constexpr std::uint8_t transparentIndex = 0;

std::uint32_t iconImageSize(int size)
{
    const auto rows = static_cast<std::uint32_t>(size);
    return rows * rowStride(size, 4) + rows * rowStride(size, 1);
}

// One icon image: a 4-bit bitmap of twice the height, holding the colour
// rows followed by the AND mask rows (1 = transparent), both bottom-up.
void writeIconImage(ByteWriter& out, const IconImage& image)
{
    const int size = image.size;
    const std::uint32_t colourStride = rowStride(size, 4);
    const std::uint32_t maskStride = rowStride(size, 1);
    writeInfoHeader(out, size, 2 * size, 4, iconImageSize(size), 16);
    Palette palette;
    for (const IconColour& entry : iconColours)
        palette.push_back(entry.colour);
    writePalette(out, palette);

    auto at = [&](int x, int y) { return image.indices[static_cast<std::size_t>(y * size + x)]; };
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 2)
            out.u8(static_cast<unsigned>(at(x, y) << 4 | at(x + 1, y)));
        out.zeros(colourStride - static_cast<std::uint32_t>(size / 2));
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 8) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (at(x + bit, y) == transparentIndex)
                    bits |= 0x80u >> bit;
            }
            out.u8(bits);
        }
        out.zeros(maskStride - static_cast<std::uint32_t>(size / 8));
    }
}

std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images)
{
    constexpr std::uint32_t directorySize = 6;
    constexpr std::uint32_t entrySize = 16;
    ByteWriter out;
    out.u16(0);  // reserved
    out.u16(1);  // icon resource
    out.u16(static_cast<unsigned>(images.size()));

    std::uint32_t offset = directorySize + entrySize * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        const std::uint32_t bytes = infoHeaderSize + 16 * 4 + iconImageSize(image.size);
        out.u8(static_cast<unsigned>(image.size));
        out.u8(static_cast<unsigned>(image.size));
        out.u8(16);  // colours
        out.u8(0);   // reserved
        out.u16(1);  // planes
        out.u16(4);  // bits per pixel
        out.u32(bytes);
        out.u32(offset);
        offset += bytes;
    }
    for (const IconImage& image : images)
        writeIconImage(out, image);
    return out.bytes();
}

// ---------------------------------------------------------------------------
// PNG files of the icon, for desktops that take icons from a theme folder.
// The pixel data is stored in uncompressed deflate blocks: the images are
// small, and the file needs no compression library and comes out the same
// everywhere.

class Crc32 {
public:
    Crc32()
    {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            m_table[n] = c;
        }
    }

    std::uint32_t of(const std::vector<std::uint8_t>& bytes) const
    {
        std::uint32_t c = 0xFFFFFFFFu;
        for (std::uint8_t byte : bytes)
            c = m_table[(c ^ byte) & 0xFFu] ^ (c >> 8);
        return c ^ 0xFFFFFFFFu;
    }

private:
    std::array<std::uint32_t, 256> m_table{};
};

std::uint32_t adler32(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return b << 16 | a;
}

void appendU32BigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendPngChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data)
{
    static const Crc32 crc;
    appendU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typeAndData(type.begin(), type.end());
    typeAndData.insert(typeAndData.end(), data.begin(), data.end());
    out.insert(out.end(), typeAndData.begin(), typeAndData.end());
    appendU32BigEndian(out, crc.of(typeAndData));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& data)
{
    constexpr std::size_t maxBlock = 65535;
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(maxBlock, data.size() - offset);
        const bool last = offset + length == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length & 0xFFu));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length & 0xFFu));
        out.push_back(static_cast<std::uint8_t>((~length >> 8) & 0xFFu));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                   data.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < data.size());
    appendU32BigEndian(out, adler32(data));
    return out;
}

// An 8-bit indexed PNG with the icon's sixteen colours; the transparent
// entry gets alpha 0 so that the mask of the ICO file carries over.
std::vector<std::uint8_t> encodePng(const IconImage& image)
{
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<std::uint8_t> header;
    appendU32BigEndian(header, static_cast<std::uint32_t>(image.size));
    appendU32BigEndian(header, static_cast<std::uint32_t>(image.size));
    header.insert(header.end(), {8, 3, 0, 0, 0});  // depth, indexed, deflate, filter, no interlace
    appendPngChunk(out, "IHDR", header);

    std::vector<std::uint8_t> palette;
    for (const IconColour& entry : iconColours)
        palette.insert(palette.end(), {entry.colour.r, entry.colour.g, entry.colour.b});
    appendPngChunk(out, "PLTE", palette);

    std::vector<std::uint8_t> alpha;
    for (std::size_t i = 0; i < iconColours.size(); ++i)
        alpha.push_back(i == transparentIndex ? 0 : 255);
    appendPngChunk(out, "tRNS", alpha);

    std::vector<std::uint8_t> rows;
    for (int y = 0; y < image.size; ++y) {
        rows.push_back(0);  // no filter
        const auto row = image.indices.begin() + static_cast<std::ptrdiff_t>(y * image.size);
        rows.insert(rows.end(), row, row + image.size);
    }
    appendPngChunk(out, "IDAT", zlibStored(rows));
    appendPngChunk(out, "IEND", {});
    return out;
}

// The hand-drawn art at twice its size, each pixel a 2 x 2 block, so that the
// large icon keeps the crisp outlines of the pixel art.
IconImage doubled(const IconImage& image)
{
    IconImage large{image.size * 2, {}};
    for (int y = 0; y < large.size; ++y) {
        for (int x = 0; x < large.size; ++x)
            large.indices.push_back(image.indices[static_cast<std::size_t>(y / 2 * image.size + x / 2)]);
    }
    return large;
}

// ---------------------------------------------------------------------------

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "make_artwork: cannot write " << path.string() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_artwork <output directory>\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        std::cerr << "make_artwork: " << directory.string() << " is not a directory\n";
        return EXIT_FAILURE;
    }

    const std::vector<std::uint8_t> card = encodeBmp(quantize(renderCard()), cardWidth, cardHeight);
    const IconImage small = iconFromArt(icon16);
    const IconImage medium = iconFromArt(icon32);
    const std::vector<std::uint8_t> icon = encodeIco({medium, small});

    const bool written = writeFile(directory / "card.bmp", card) && writeFile(directory / "quartet.ico", icon)
        && writeFile(directory / "quartet-16.png", encodePng(small))
        && writeFile(directory / "quartet-32.png", encodePng(medium))
        && writeFile(directory / "quartet-64.png", encodePng(doubled(medium)));
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
