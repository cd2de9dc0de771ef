// SPDX-License-Identifier: GPL-3.0-or-later
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int runGenerator(const QStringList& arguments)
{
    QProcess generator;
    generator.start(QStringLiteral(QUARTET_MAKE_ARTWORK), arguments);
    if (!generator.waitForFinished(60000))
        return -1;
    return generator.exitStatus() == QProcess::NormalExit ? generator.exitCode() : -1;
}

// The artwork in the source tree is the generator's output, byte for byte:
// whoever changes the generator must regenerate the files.
TEST(ArtworkGenerator, ReproducesTheCommittedFiles)
{
    QTemporaryDir output;
    ASSERT_TRUE(output.isValid());
    ASSERT_EQ(runGenerator({output.path()}), 0);

    const QDir committed(QStringLiteral(QUARTET_ASSETS_DIR));
    for (const char* name :
         {"card.bmp", "card@2x.bmp", "quartet.ico", "quartet.svg", "quartet-16.png", "quartet-22.png", "quartet-24.png",
          "quartet-32.png", "quartet-48.png", "quartet-64.png", "quartet-128.png", "quartet-256.png"}) {
        SCOPED_TRACE(name);
        const QByteArray generated = fileBytes(output.filePath(QString::fromLatin1(name)));
        ASSERT_FALSE(generated.isEmpty());
        EXPECT_TRUE(generated == fileBytes(committed.filePath(QString::fromLatin1(name))))
            << "run the target regenerate_artwork and commit the result";
    }
}

TEST(ArtworkGenerator, FailsWithoutAnOutputDirectory)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    EXPECT_NE(runGenerator({}), 0);
    EXPECT_NE(runGenerator({scratch.filePath(QStringLiteral("missing"))}), 0);
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("missing/card.bmp"))));
}

}  // namespace
