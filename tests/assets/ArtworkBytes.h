// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "assets/Assets.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

namespace quartet::test {

// The bytes of one of the program's resources, or empty when it is missing.
inline QByteArray resourceBytes(const QString& path)
{
    initAssets();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Little-endian fields of BMP and ICO files; reading past the end gives 0
// so that a truncated file fails the checks instead of the test program.
inline std::uint32_t readU16(const QByteArray& bytes, qsizetype offset)
{
    if (offset < 0 || offset + 2 > bytes.size())
        return 0;
    const auto byte = [&](qsizetype i) { return static_cast<std::uint8_t>(bytes[offset + i]); };
    return byte(0) | byte(1) << 8;
}

inline std::uint32_t readU32(const QByteArray& bytes, qsizetype offset)
{
    return readU16(bytes, offset) | readU16(bytes, offset + 2) << 16;
}

inline std::int32_t readI32(const QByteArray& bytes, qsizetype offset)
{
    return static_cast<std::int32_t>(readU32(bytes, offset));
}

}  // namespace quartet::test
