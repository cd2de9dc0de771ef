// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's artwork: the card picture (card.bmp, and card@2x.bmp
// at twice the resolution), the application icon (quartet.ico) and the same
// icon for the desktop's icon theme (quartet-<size>.png for each size of
// iconSizes, and quartet.svg).
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
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
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

// The colour at a point of the card, in the card's pixels.
Colour cardColour(double x, double y)
{
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

// The card at `scale` device pixels to a card pixel: 1 for the ordinary
// picture, 2 for high-density screens. Each device pixel takes the colour at
// its centre.
std::vector<Rgb> renderCard(int scale)
{
    std::vector<Rgb> pixels;
    pixels.reserve(static_cast<std::size_t>(cardWidth * cardHeight * scale * scale));
    for (int y = 0; y < cardHeight * scale; ++y) {
        for (int x = 0; x < cardWidth * scale; ++x)
            pixels.push_back(toRgb(cardColour((x + 0.5) / scale, (y + 0.5) / scale)));
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
                     std::uint32_t coloursUsed, std::int32_t pixelsPerMetre = pixelsPerMetreAt96Dpi)
{
    out.u32(infoHeaderSize);
    out.i32(width);
    out.i32(storedHeight);
    out.u16(1);  // planes
    out.u16(static_cast<unsigned>(bitsPerPixel));
    out.u32(0);  // no compression
    out.u32(imageSize);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
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

// A picture drawn at `scale` device pixels to a pixel says so in its resolution.
std::vector<std::uint8_t> encodeBmp(const IndexedImage& image, int width, int height, int scale)
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
    writeInfoHeader(out, width, height, 8, imageSize, paletteSize, pixelsPerMetreAt96Dpi * scale);
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

// Deflate with the fixed Huffman codes, repeats found along hash chains:
// small enough to write here, needs no compression library, and gives the
// same bytes everywhere.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    ~BitWriter()
    {
        if (m_count > 0)
            m_out.push_back(static_cast<std::uint8_t>(m_buffer));
    }

    // Plain fields go least significant bit first.
    void bits(std::uint32_t value, int count)
    {
        m_buffer |= value << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(static_cast<std::uint8_t>(m_buffer & 0xFFu));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }

    // Huffman codes go most significant bit first.
    void code(std::uint32_t value, int count)
    {
        std::uint32_t reversed = 0;
        for (int i = 0; i < count; ++i)
            reversed |= ((value >> i) & 1u) << (count - 1 - i);
        bits(reversed, count);
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint32_t m_buffer = 0;
    int m_count = 0;
};

void writeLiteralOrLength(BitWriter& out, unsigned symbol)
{
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xC0 + symbol - 280, 8);
}

// A length or distance as its symbol, from a table of each symbol's first
// value and extra bits.
template <std::size_t Size>
void writeRanged(BitWriter& out, unsigned value, const std::array<unsigned, Size>& base,
                 const std::array<int, Size>& extra, unsigned firstSymbol, bool isDistance)
{
    std::size_t i = Size - 1;
    while (base[i] > value)
        --i;
    if (isDistance)
        out.code(static_cast<std::uint32_t>(i), 5);
    else
        writeLiteralOrLength(out, firstSymbol + static_cast<unsigned>(i));
    out.bits(value - base[i], extra[i]);
}

constexpr std::array<unsigned, 29> lengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> lengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> distanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> distanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A zlib stream of one deflate block with the fixed codes.
std::vector<std::uint8_t> zlibCompressed(const std::vector<std::uint8_t>& data)
{
    constexpr std::size_t window = 32768;
    constexpr std::size_t longest = 258;
    constexpr int chainSteps = 256;
    constexpr std::uint32_t hashSize = 1u << 15;
    const std::size_t none = SIZE_MAX;
    std::vector<std::size_t> head(hashSize, none);
    std::vector<std::size_t> previous(data.size(), none);
    const auto hashAt = [&data](std::size_t i) {
        return ((data[i] * 0x9E37u) ^ (data[i + 1] * 0x79B9u) ^ (data[i + 2] * 0x7F4Au)) & (hashSize - 1);
    };
    const auto insert = [&](std::size_t i) {
        if (i + 2 < data.size()) {
            const std::uint32_t hash = hashAt(i);
            previous[i] = head[hash];
            head[hash] = i;
        }
    };

    std::vector<std::uint8_t> out{0x78, 0x01};
    {
        BitWriter bits(out);
        bits.bits(1, 1);  // the last block
        bits.bits(1, 2);  // fixed codes
        std::size_t i = 0;
        while (i < data.size()) {
            std::size_t bestLength = 0;
            std::size_t bestDistance = 0;
            if (i + 2 < data.size()) {
                std::size_t candidate = head[hashAt(i)];
                for (int step = 0; step < chainSteps && candidate != none && i - candidate <= window; ++step) {
                    std::size_t length = 0;
                    while (length < longest && i + length < data.size() && data[candidate + length] == data[i + length])
                        ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestDistance = i - candidate;
                    }
                    candidate = previous[candidate];
                }
            }
            if (bestLength >= 3) {
                writeRanged(bits, static_cast<unsigned>(bestLength), lengthBase, lengthExtra, 257, false);
                writeRanged(bits, static_cast<unsigned>(bestDistance), distanceBase, distanceExtra, 0, true);
                for (std::size_t k = 0; k < bestLength; ++k)
                    insert(i + k);
                i += bestLength;
            } else {
                writeLiteralOrLength(bits, data[i]);
                insert(i);
                ++i;
            }
        }
        writeLiteralOrLength(bits, 256);  // end of block
    }
    appendU32BigEndian(out, adler32(data));
    return out;
}

// Rows of pixels, each led by the PNG filter that leaves the smallest
// differences (the usual choice of encoders), `bytesPerPixel` bytes a pixel.
std::vector<std::uint8_t> filteredRows(const std::vector<std::uint8_t>& pixels, std::size_t rowBytes,
                                       std::size_t bytesPerPixel)
{
    std::vector<std::uint8_t> out;
    const std::vector<std::uint8_t> noRow(rowBytes, 0);
    for (std::size_t row = 0; row * rowBytes < pixels.size(); ++row) {
        const std::uint8_t* line = pixels.data() + row * rowBytes;
        const std::uint8_t* above = row == 0 ? noRow.data() : line - rowBytes;
        std::vector<std::uint8_t> best;
        long bestCost = LONG_MAX;
        for (std::uint8_t filter = 0; filter < 5; ++filter) {
            std::vector<std::uint8_t> candidate{filter};
            long cost = 0;
            for (std::size_t x = 0; x < rowBytes; ++x) {
                const int a = x >= bytesPerPixel ? line[x - bytesPerPixel] : 0;
                const int b = above[x];
                const int c = x >= bytesPerPixel ? above[x - bytesPerPixel] : 0;
                const int p = a + b - c;
                const int predictor = filter == 0                                              ? 0
                    : filter == 1                                                              ? a
                    : filter == 2                                                              ? b
                    : filter == 3                                                              ? (a + b) / 2
                    : std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c) ? a
                    : std::abs(p - b) <= std::abs(p - c)                                       ? b
                                                                                               : c;
                const auto value = static_cast<std::uint8_t>(line[x] - predictor);
                candidate.push_back(value);
                cost += value < 128 ? value : 256 - value;
            }
            if (cost < bestCost) {
                bestCost = cost;
                best = std::move(candidate);
            }
        }
        out.insert(out.end(), best.begin(), best.end());
    }
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

    const auto rowBytes = static_cast<std::size_t>(image.size);
    appendPngChunk(out, "IDAT", zlibCompressed(filteredRows(image.indices, rowBytes, 1)));
    appendPngChunk(out, "IEND", {});
    return out;
}

// A true-colour PNG with alpha, top row first, four bytes a pixel.
std::vector<std::uint8_t> encodePngRgba(int size, const std::vector<std::uint8_t>& rgba)
{
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<std::uint8_t> header;
    appendU32BigEndian(header, static_cast<std::uint32_t>(size));
    appendU32BigEndian(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // depth, RGBA, deflate, filter, no interlace
    appendPngChunk(out, "IHDR", header);

    const auto rowBytes = static_cast<std::size_t>(size) * 4;
    appendPngChunk(out, "IDAT", zlibCompressed(filteredRows(rgba, rowBytes, 4)));
    appendPngChunk(out, "IEND", {});
    return out;
}

// ---------------------------------------------------------------------------
// The icon in shapes, for the desktop's sizes other than the pixel art's and
// as its scalable icon: the same stack of cards, drawn on the pixel art's
// grid of 32 units, so that every card, outline and digit stroke stands where
// the 32-pixel icon has it.

constexpr double iconUnits = 32;

// The sizes of the hicolor icon theme that desktops ask for.
constexpr std::array<int, 8> iconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

struct Point {
    double x;
    double y;
};

struct RoundedRect {
    double left;
    double top;
    double right;
    double bottom;
    double radius;

    bool contains(Point p) const
    {
        const double dx = p.x - std::clamp(p.x, left + radius, right - radius);
        const double dy = p.y - std::clamp(p.y, top + radius, bottom - radius);
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom && dx * dx + dy * dy <= radius * radius;
    }
    RoundedRect inset(double by) const { return {left + by, top + by, right - by, bottom - by, radius - by / 2}; }
};

struct Circle {
    Point centre;
    double radius;

    bool contains(Point p) const
    {
        const double dx = p.x - centre.x;
        const double dy = p.y - centre.y;
        return dx * dx + dy * dy <= radius * radius;
    }
};

// A line through points, with round ends and joins, as a pen draws it.
struct Stroke {
    std::vector<Point> points;
    double width;

    bool contains(Point p) const
    {
        const double reach = width * width / 4;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[i + 1];
            const double lx = b.x - a.x;
            const double ly = b.y - a.y;
            const double t = std::clamp(((p.x - a.x) * lx + (p.y - a.y) * ly) / (lx * lx + ly * ly), 0.0, 1.0);
            const double dx = p.x - (a.x + t * lx);
            const double dy = p.y - (a.y + t * ly);
            if (dx * dx + dy * dy <= reach)
                return true;
        }
        return false;
    }
};

using Outline = std::variant<RoundedRect, Circle, Stroke>;

// A plain colour, or colours that blend from one height to the next.
struct GradientStop {
    double y;
    Rgb colour;
};

struct Shape {
    Outline outline;
    std::vector<GradientStop> paint;  // top to bottom; one stop for a plain colour
    std::optional<RoundedRect> clip;  // drawn only inside it

    bool covers(Point p) const
    {
        return std::visit([p](const auto& outline) { return outline.contains(p); }, outline)
            && (!clip || clip->contains(p));
    }

    Colour colourAt(double y) const
    {
        const auto channels = [](const Rgb& c) { return Colour{double(c.r), double(c.g), double(c.b)}; };
        if (y <= paint.front().y)
            return channels(paint.front().colour);
        for (std::size_t i = 1; i < paint.size(); ++i) {
            if (y < paint[i].y) {
                const double t = (y - paint[i - 1].y) / (paint[i].y - paint[i - 1].y);
                return mix(channels(paint[i - 1].colour), channels(paint[i].colour), t);
            }
        }
        return channels(paint.back().colour);
    }
};

Rgb iconColour(char letter)
{
    return iconColours[iconIndex(letter)].colour;
}

std::vector<GradientStop> plain(char letter)
{
    return {{0, iconColour(letter)}};
}

// Back to front, as painted.
std::vector<Shape> iconShapes()
{
    std::vector<Shape> shapes;
    // The three cards behind: outline, face, and a shaded right edge.
    const struct {
        RoundedRect card;
        char face;
        char edge;
    } backCards[] = {
        {{14, 1, 30, 22, 1.6}, 'Y', 'y'},
        {{10, 4, 26, 25, 1.6}, 'O', 'o'},
        {{6, 7, 22, 28, 1.6}, 'R', 'r'},
    };
    for (const auto& back : backCards) {
        const RoundedRect face = back.card.inset(1);
        shapes.push_back({back.card, plain('K'), {}});
        shapes.push_back({face, plain(back.edge), {}});
        shapes.push_back(
            {RoundedRect{face.left, face.top, face.right - 1, face.bottom, face.radius}, plain(back.face), {}});
    }

    // The front card: sky deepening towards the head, a cloud at the foot.
    const RoundedRect front{2, 10, 18, 31, 1.6};
    const RoundedRect sky = front.inset(1);
    shapes.push_back({front, plain('K'), {}});
    shapes.push_back(
        {sky, {{11.5, iconColour('B')}, {14, iconColour('S')}, {22.5, iconColour('S')}, {25, iconColour('s')}}, {}});
    shapes.push_back({RoundedRect{5.6, 27.2, 16.4, 29.1, 0.9}, plain('c'), sky});
    for (const Circle& puff :
         {Circle{{8.2, 27.2}, 1.4}, Circle{{10.3, 26.4}, 1.6}, Circle{{12.3, 27.3}, 1.2}, Circle{{14.1, 26.9}, 1.3}})
        shapes.push_back({puff, plain('W'), sky});
    shapes.push_back({RoundedRect{6.4, 26.6, 15.6, 28.2, 0.8}, plain('W'), sky});

    // "24", in strokes two units wide like the pixel art's.
    const Stroke two{{{5.0, 15.0},
                      {5.4, 14.1},
                      {6.5, 13.6},
                      {7.6, 14.1},
                      {8.0, 15.2},
                      {7.8, 16.3},
                      {5.0, 20.0},
                      {5.0, 21.0},
                      {8.0, 21.0}},
                     2.0};
    const Stroke four{{{12.0, 14.0}, {12.0, 18.0}, {15.0, 18.0}}, 2.0};
    const Stroke fourStem{{{15.0, 14.0}, {15.0, 21.0}}, 2.0};
    for (const Stroke& digit : {two, four, fourStem})
        shapes.push_back({digit, plain('K'), {}});
    return shapes;
}

// The shapes at `size` pixels, four bytes (RGBA) a pixel: each pixel is
// covered by the share of its sample points that a shape covers, and the
// shapes are laid over each other in order.
std::vector<std::uint8_t> renderIcon(const std::vector<Shape>& shapes, int size)
{
    constexpr int samples = 8;  // to a side of a pixel
    const double unitsPerPixel = iconUnits / size;
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(size * size * 4));
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour premultiplied;
            double alpha = 0;
            const double centreY = (py + 0.5) * unitsPerPixel;
            for (const Shape& shape : shapes) {
                int covered = 0;
                for (int sy = 0; sy < samples; ++sy) {
                    for (int sx = 0; sx < samples; ++sx) {
                        const Point p{(px + (sx + 0.5) / samples) * unitsPerPixel,
                                      (py + (sy + 0.5) / samples) * unitsPerPixel};
                        covered += shape.covers(p) ? 1 : 0;
                    }
                }
                if (covered == 0)
                    continue;
                const double cover = static_cast<double>(covered) / (samples * samples);
                const Colour colour = shape.colourAt(centreY);
                premultiplied = mix(premultiplied, colour, cover);
                alpha += (1 - alpha) * cover;
            }
            const Colour straight = alpha > 0
                ? Colour{premultiplied.r / alpha, premultiplied.g / alpha, premultiplied.b / alpha}
                : Colour{};
            const Rgb pixel = toRgb(straight);
            rgba.insert(rgba.end(), {pixel.r, pixel.g, pixel.b, toByte(alpha * 255)});
        }
    }
    return rgba;
}

// ---------------------------------------------------------------------------
// The same shapes as the desktop's scalable icon (SVG). Numbers are written
// from integers, so that the text is the same on every platform.

std::string svgNumber(double value)
{
    const long hundredths = std::lround(value * 100);
    std::string text = std::to_string(std::labs(hundredths) / 100);
    if (const long fraction = std::labs(hundredths) % 100; fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return hundredths < 0 ? "-" + text : text;
}

std::string svgColour(const Rgb& colour)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text = "#";
    for (const unsigned channel : {colour.r, colour.g, colour.b}) {
        text += digits[channel >> 4];
        text += digits[channel & 0xFu];
    }
    return text;
}

std::string svgRect(const RoundedRect& r)
{
    return "x=\"" + svgNumber(r.left) + "\" y=\"" + svgNumber(r.top) + "\" width=\"" + svgNumber(r.right - r.left)
        + "\" height=\"" + svgNumber(r.bottom - r.top) + "\" rx=\"" + svgNumber(r.radius) + "\"";
}

std::string svgOutline(const Outline& outline)
{
    if (const auto* rect = std::get_if<RoundedRect>(&outline))
        return "<rect " + svgRect(*rect);
    if (const auto* circle = std::get_if<Circle>(&outline))
        return "<circle cx=\"" + svgNumber(circle->centre.x) + "\" cy=\"" + svgNumber(circle->centre.y) + "\" r=\""
            + svgNumber(circle->radius) + "\"";
    const auto& stroke = std::get<Stroke>(outline);
    std::string points;
    for (const Point& p : stroke.points)
        points += (points.empty() ? "" : " ") + svgNumber(p.x) + "," + svgNumber(p.y);
    return "<polyline points=\"" + points + "\" stroke-width=\"" + svgNumber(stroke.width)
        + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" fill=\"none\"";
}

std::vector<std::uint8_t> encodeSvg(const std::vector<Shape>& shapes)
{
    std::string defs;
    std::string body;
    int gradients = 0;
    int clips = 0;
    for (const Shape& shape : shapes) {
        std::string paint = svgColour(shape.paint.front().colour);
        if (shape.paint.size() > 1) {
            const std::string id = "sky" + std::to_string(++gradients);
            const double top = shape.paint.front().y;
            const double height = shape.paint.back().y - top;
            defs += "    <linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
                + svgNumber(top) + "\" x2=\"0\" y2=\"" + svgNumber(shape.paint.back().y) + "\">\n";
            for (const GradientStop& stop : shape.paint)
                defs += "      <stop offset=\"" + svgNumber((stop.y - top) / height) + "\" stop-color=\""
                    + svgColour(stop.colour) + "\"/>\n";
            defs += "    </linearGradient>\n";
            paint = "url(#" + id + ")";
        }
        const bool stroked = std::holds_alternative<Stroke>(shape.outline);
        std::string element = "  " + svgOutline(shape.outline) + (stroked ? " stroke=\"" : " fill=\"") + paint + "\"";
        if (shape.clip) {
            const std::string id = "card" + std::to_string(++clips);
            defs += "    <clipPath id=\"" + id + "\"><rect " + svgRect(*shape.clip) + "/></clipPath>\n";
            element += " clip-path=\"url(#" + id + ")\"";
        }
        body += element + "/>\n";
    }
    const std::string svg =
        "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
        "  <defs>\n"
        + defs + "  </defs>\n" + body + "</svg>\n";
    return {svg.begin(), svg.end()};
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

    const IconImage small = iconFromArt(icon16);
    const IconImage medium = iconFromArt(icon32);
    const std::vector<Shape> shapes = iconShapes();

    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"card.bmp", encodeBmp(quantize(renderCard(1)), cardWidth, cardHeight, 1)},
        {"card@2x.bmp", encodeBmp(quantize(renderCard(2)), 2 * cardWidth, 2 * cardHeight, 2)},
        {"quartet.ico", encodeIco({medium, small})},
        {"quartet.svg", encodeSvg(shapes)},
    };
    // The desktop's icon sizes: the pixel art where it was drawn for the
    // size, the shapes elsewhere.
    for (const int size : iconSizes) {
        const std::vector<std::uint8_t> png = size == small.size ? encodePng(small)
            : size == medium.size                                ? encodePng(medium)
                                                                 : encodePngRgba(size, renderIcon(shapes, size));
        files.emplace_back("quartet-" + std::to_string(size) + ".png", png);
    }
    bool written = true;
    for (const auto& [name, bytes] : files)
        written = written && writeFile(directory / name, bytes);
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
