// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/FileSystem.h"

namespace quartet {

// The file-existence test on this machine's file system, without Qt: the
// system's own file attributes on Windows, std::filesystem elsewhere. The
// name given back is the last part of the path as it was asked for.
class LocalFileSystem final : public FileSystem {
public:
    std::string existingFileName(const std::string& path) override;
};

}  // namespace quartet
