#pragma once

#include "platform/FileSystem.h"

namespace quartet {

// The file-existence test on this machine's file system.
class LocalFileSystem final : public FileSystem {
public:
    std::string existingFileName(const std::string& path) override;
};

}  // namespace quartet
