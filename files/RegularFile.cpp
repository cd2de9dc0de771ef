// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RegularFile.h"

#ifdef _WIN32
#include "sysinfo/WindowsApi.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <array>
#include <optional>

namespace quartet {

namespace {

using Status = RegularFile::Status;

#ifdef _WIN32

// An open file, closed on every road.
class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path)
        : m_handle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        const DWORD error = m_handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        m_missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    ~OpenFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // A file on disk, not a pipe, a console or a device, is Read or TooLarge.
    Status check(std::size_t maxBytes) const
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return m_missing ? Status::Missing : Status::Unreadable;
        LARGE_INTEGER size{};
        if (::GetFileType(m_handle) != FILE_TYPE_DISK || !::GetFileSizeEx(m_handle, &size) || size.QuadPart < 0)
            return Status::Unreadable;
        return static_cast<unsigned long long>(size.QuadPart) > maxBytes ? Status::TooLarge : Status::Read;
    }

    // The next chunk into buffer: its length, 0 at the end, nothing on an error.
    std::optional<std::size_t> readChunk(char* buffer, std::size_t capacity) const
    {
        DWORD count = 0;
        if (!::ReadFile(m_handle, buffer, static_cast<DWORD>(capacity), &count, nullptr))
            return std::nullopt;
        return count;
    }

private:
    HANDLE m_handle;
    bool m_missing = false;
};

#else

class OpenFile {
public:
    // O_NONBLOCK: opening a pipe without a writer would wait for one.
    explicit OpenFile(const std::filesystem::path& path)
        : m_descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))
    {
        m_missing = m_descriptor < 0 && (errno == ENOENT || errno == ENOTDIR);
    }
    ~OpenFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    Status check(std::size_t maxBytes) const
    {
        if (m_descriptor < 0)
            return m_missing ? Status::Missing : Status::Unreadable;
        struct stat info = {};
        if (::fstat(m_descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0)
            return Status::Unreadable;
        return static_cast<unsigned long long>(info.st_size) > maxBytes ? Status::TooLarge : Status::Read;
    }

    std::optional<std::size_t> readChunk(char* buffer, std::size_t capacity) const
    {
        for (;;) {
            const ssize_t count = ::read(m_descriptor, buffer, capacity);
            if (count >= 0)
                return static_cast<std::size_t>(count);
            if (errno != EINTR)
                return std::nullopt;
        }
    }

private:
    int m_descriptor;
    bool m_missing = false;
};

#endif

}  // namespace

RegularFile RegularFile::read(const std::filesystem::path& path, std::size_t maxBytes)
{
    const OpenFile file(path);
    RegularFile result;
    result.status = file.check(maxBytes);
    if (result.status != Status::Read)
        return result;

    // The size checked above is only what the file says: the limit holds for
    // what is read, one chunk past it at most.
    std::array<char, 16 * 1024> chunk{};
    for (;;) {
        const std::optional<std::size_t> count = file.readChunk(chunk.data(), chunk.size());
        if (!count)
            return {Status::Unreadable, {}};
        if (result.bytes.size() + *count > maxBytes)
            return {Status::TooLarge, {}};
        if (*count == 0)
            return result;
        result.bytes.append(chunk.data(), *count);
    }
}

}  // namespace quartet
