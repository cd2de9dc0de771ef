// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace quartet::test {

// A new, empty folder in the system's temporary folder, removed with all it
// holds when the object goes. Its name has a blank in it, as real install
// paths often do.
class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        const std::filesystem::path parent = std::filesystem::temp_directory_path();
        std::random_device seed;
        std::mt19937 names(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = parent / ("quartet test " + std::to_string(names()));
            if (std::filesystem::create_directory(candidate)) {
                m_path = std::move(candidate);
                return;
            }
        }
        throw std::runtime_error("no new temporary folder in " + parent.string());
    }

    ~TemporaryDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    // The path of name inside the folder, in the system's narrow encoding.
    std::string filePath(const std::string& name) const { return (m_path / name).string(); }
    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace quartet::test
