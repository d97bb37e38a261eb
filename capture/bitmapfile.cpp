#include "bitmapfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>

namespace capture {

namespace {
void put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
} // namespace

std::array<std::uint8_t, kBitmapFileHeaderSize> bitmapFileHeader(std::uint32_t frameSize)
{
    constexpr std::uint32_t offset = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    std::array<std::uint8_t, kBitmapFileHeaderSize> h {};
    put16(h.data(), 0x4D42);
    put32(h.data() + 2, frameSize + offset);
    put16(h.data() + 6, 0);
    put16(h.data() + 8, 0);
    put32(h.data() + 10, offset);
    return h;
}

BitmapWriteResult writeBitmapFile(
    const QString& path, const std::uint8_t* infoHeader, const std::uint8_t* frame, std::size_t frameSize)
{
    if (path.isEmpty() || frameSize > 0xFFFFFFFFu - 54 || QFileInfo(path).isDir())
        return BitmapWriteResult::CannotCreate;
    const auto header = bitmapFileHeader(static_cast<std::uint32_t>(frameSize));
    const auto writeAll = [&](QFileDevice& file) {
        const auto put = [&](const std::uint8_t* p, std::size_t n) {
            return file.write(reinterpret_cast<const char*>(p), static_cast<qint64>(n))
                == static_cast<qint64>(n);
        };
        return put(header.data(), header.size()) && put(infoHeader, kBitmapInfoHeaderSize)
            && put(frame, frameSize) && file.flush();
    };

    // Written beside the target and renamed over it, so that a failed write
    // leaves neither a partial file nor a damaged old one.
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (temp.open()) {
        if (!writeAll(temp))
            return BitmapWriteResult::CannotWrite;
        temp.close();
        // A new file gets the usual rw-r--r--; a replaced one keeps its own.
        const QFileInfo old(path);
        temp.setPermissions(old.exists() ? old.permissions()
                                         : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                    | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        std::error_code ec;
        std::filesystem::rename(
            QFile::encodeName(temp.fileName()).toStdString(), QFile::encodeName(path).toStdString(), ec);
        if (ec)
            return BitmapWriteResult::CannotCreate;
        temp.setAutoRemove(false);
        return BitmapWriteResult::Written;
    }
    // A folder that lets an existing file be rewritten but no new file be
    // made: write the file in place.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return BitmapWriteResult::CannotCreate;
    if (!writeAll(file)) {
        file.close();
        file.remove();
        return BitmapWriteResult::CannotWrite;
    }
    return BitmapWriteResult::Written;
}

} // namespace capture
