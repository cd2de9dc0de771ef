// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/LocalFileSystem.h"

#ifdef _WIN32
#include "sysinfo/WindowsApi.h"
#else
#include <filesystem>
#include <system_error>
#endif

namespace quartet {

namespace {

#ifdef _WIN32
// The path goes to the system as it stands, in the ANSI code page. A device
// or a folder is no ordinary file.
bool isOrdinaryFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}
#else
// A link counts as the file it leads to.
bool isOrdinaryFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

bool isSeparator(char c)
{
    return c == '/';
}
#endif

std::string lastPart(const std::string& path)
{
    std::size_t start = path.size();
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    return path.substr(start);
}

}  // namespace

std::string LocalFileSystem::existingFileName(const std::string& path)
{
    // A zero byte cannot be part of a path the system accepts.
    if (path.empty() || path.find('\0') != std::string::npos)
        return {};
    return isOrdinaryFile(path) ? lastPart(path) : std::string();
}

}  // namespace quartet
