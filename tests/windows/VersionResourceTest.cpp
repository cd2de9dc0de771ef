// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/WindowsApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The program's version as Windows shows it: major.minor.0.revision.
constexpr WORD kMajor = QUARTET_VERSION_MAJOR;
constexpr WORD kMinor = QUARTET_VERSION_MINOR;
constexpr WORD kRevision = QUARTET_VERSION_REVISION;

std::string thisProgram()
{
    std::vector<char> path(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    return std::string(path.data(), length);
}

std::vector<unsigned char> versionInfo()
{
    const std::string program = thisProgram();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(program.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !::GetFileVersionInfoA(program.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

template <typename T>
const T* versionValue(std::vector<unsigned char>& block, const std::string& subBlock, UINT& length)
{
    void* value = nullptr;
    length = 0;
    if (!::VerQueryValueA(block.data(), subBlock.c_str(), &value, &length))
        return nullptr;
    return static_cast<const T*>(value);
}

TEST(VersionResourceTest, CarriesTheProgramVersion)
{
    std::vector<unsigned char> block = versionInfo();
    ASSERT_FALSE(block.empty()) << "no version resource in " << thisProgram();

    UINT length = 0;
    const auto* fixed = versionValue<VS_FIXEDFILEINFO>(block, "\\", length);
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(kMinor, kMajor));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(kRevision, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(kMinor, kMajor));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(kRevision, 0));

    // The texts, in the language the translation table names first.
    const auto* translation = versionValue<WORD>(block, "\\VarFileInfo\\Translation", length);
    ASSERT_NE(translation, nullptr);
    ASSERT_GE(length, 2 * sizeof(WORD));
    char language[16];
    std::snprintf(language, sizeof language, "%04x%04x", translation[0], translation[1]);
    const std::string strings = std::string("\\StringFileInfo\\") + language + "\\";
    const std::string version =
        std::to_string(kMajor) + "." + std::to_string(kMinor) + ".0." + std::to_string(kRevision);
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName"}) {
        SCOPED_TRACE(name);
        const char* text = versionValue<char>(block, strings + name, length);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::string(text), std::string(name) == "ProductName" ? "Quartet" : version);
    }
}

// The pixels of an icon: its colour bitmap and its mask, 32 bits a pixel.
struct IconPixels {
    LONG width = 0;
    LONG height = 0;
    std::vector<RGBQUAD> colour;
    std::vector<RGBQUAD> mask;
};

std::vector<RGBQUAD> bitmapPixels(HBITMAP bitmap, LONG width, LONG height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(width * height));
    // A memory context: reading bitmaps needs no screen.
    HDC memory = ::CreateCompatibleDC(nullptr);
    const int lines = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteDC(memory);
    if (lines != height)
        pixels.clear();
    return pixels;
}

IconPixels iconPixels(HICON icon)
{
    IconPixels pixels;
    ICONINFO info{};
    if (icon == nullptr || !::GetIconInfo(icon, &info))
        return pixels;
    BITMAP colour{};
    if (info.hbmColor != nullptr && ::GetObjectA(info.hbmColor, sizeof colour, &colour) == sizeof colour) {
        pixels.width = colour.bmWidth;
        pixels.height = colour.bmHeight;
        pixels.colour = bitmapPixels(info.hbmColor, colour.bmWidth, colour.bmHeight);
        pixels.mask = bitmapPixels(info.hbmMask, colour.bmWidth, colour.bmHeight);
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
    return pixels;
}

bool samePixels(const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](RGBQUAD x, RGBQUAD y) {
               return x.rgbRed == y.rgbRed && x.rgbGreen == y.rgbGreen && x.rgbBlue == y.rgbBlue;
           });
}

// The resource holds the program's icon, at both of its sizes, pixel for
// pixel as the icon file that lies beside the test program.
TEST(VersionResourceTest, CarriesTheProgramIcon)
{
    const std::string program = thisProgram();
    const std::string iconFile = program.substr(0, program.find_last_of('\\') + 1) + "quartet.ico";
    for (const int size : {32, 16}) {
        SCOPED_TRACE(size);
        const IconPixels resource = iconPixels(static_cast<HICON>(
            ::LoadImageA(::GetModuleHandleA(nullptr), "IDI_ICON1", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        const IconPixels file = iconPixels(
            static_cast<HICON>(::LoadImageA(nullptr, iconFile.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
        EXPECT_EQ(resource.width, size);
        EXPECT_EQ(resource.height, size);
        ASSERT_EQ(resource.colour.size(), static_cast<std::size_t>(size * size));
        ASSERT_EQ(file.colour.size(), resource.colour.size()) << "the icon file " << iconFile << " did not load";
        EXPECT_TRUE(samePixels(resource.colour, file.colour));
        EXPECT_TRUE(samePixels(resource.mask, file.mask));
    }
}

}  // namespace
