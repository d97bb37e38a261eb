#pragma once

// File helpers shared by the booth's tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace kf::test {

// The file's bytes; the test fails when the file cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// Creates or replaces the file with bytes; the test fails when it cannot.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Creates or truncates the file and gives it size bytes (zeros).
inline void touch(const QString& path, qint64 size = 0)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_TRUE(f.resize(size));
}

} // namespace kf::test
