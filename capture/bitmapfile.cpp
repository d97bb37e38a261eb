#include "bitmapfile.h"

#include <QSaveFile>

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
    if (path.isEmpty() || frameSize > 0xFFFFFFFFu - 54)
        return BitmapWriteResult::CannotCreate;
    QSaveFile file(path);
    // Where no temporary file can be made beside the target (a folder that
    // only lets the file itself be rewritten), write the file directly.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return BitmapWriteResult::CannotCreate;
    const auto header = bitmapFileHeader(static_cast<std::uint32_t>(frameSize));
    const auto put = [&](const std::uint8_t* p, std::size_t n) {
        return file.write(reinterpret_cast<const char*>(p), static_cast<qint64>(n)) == static_cast<qint64>(n);
    };
    if (!put(header.data(), header.size()) || !put(infoHeader, kBitmapInfoHeaderSize)
        || !put(frame, frameSize)) {
        file.cancelWriting();
        return BitmapWriteResult::CannotWrite;
    }
    return file.commit() ? BitmapWriteResult::Written : BitmapWriteResult::CannotWrite;
}

} // namespace capture
