#include "platform/LocalFileSystem.h"

#include <QFileInfo>
#include <QString>

namespace quartet {

std::string LocalFileSystem::existingFileName(const std::string& path)
{
    // A zero byte cannot be part of a path the system accepts.
    if (path.empty() || path.find('\0') != std::string::npos)
        return {};
    const QFileInfo info(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    if (!info.isFile())
        return {};
    return info.fileName().toLocal8Bit().toStdString();
}

}  // namespace quartet
