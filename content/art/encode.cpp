#include "art/encode.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cstring>
#include <gif_lib.h>
#include <map>
#include <vector>

namespace kf::art {

namespace {

struct Entry {
    std::array<int, 3> rgb;
    int count;
};

struct Box {
    std::vector<Entry> entries;
    long weight() const
    {
        long w = 0;
        for (const Entry& e : entries)
            w += e.count;
        return w;
    }
    // Widest channel and its range, weighted by the pixels in the box so that
    // big flat areas and fine gradients both get colours.
    std::pair<int, int> widest() const
    {
        int best = 0, bestRange = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, e.rgb[ch]);
                hi = std::max(hi, e.rgb[ch]);
            }
            if (hi - lo > bestRange) {
                bestRange = hi - lo;
                best = ch;
            }
        }
        return {best, bestRange};
    }
};

std::array<int, 3> meanOf(const std::vector<Entry>& entries)
{
    long sum[3] = {0, 0, 0}, n = 0;
    for (const Entry& e : entries) {
        for (int ch = 0; ch < 3; ++ch)
            sum[ch] += static_cast<long>(e.rgb[ch]) * e.count;
        n += e.count;
    }
    std::array<int, 3> m {};
    for (int ch = 0; ch < 3; ++ch)
        m[ch] = n ? static_cast<int>((sum[ch] + n / 2) / n) : 0;
    return m;
}

int dist2(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    // Green weighs most, blue least, close to how the eye sees steps.
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

} // namespace

QImage quantise(const QImage& source, int maxColours)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    std::map<QRgb, int> histogram;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            ++histogram[row[x] | 0xFF000000u];
    }
    std::vector<std::array<int, 3>> palette;
    if (static_cast<int>(histogram.size()) <= maxColours) {
        for (const auto& [rgb, n] : histogram)
            palette.push_back({qRed(rgb), qGreen(rgb), qBlue(rgb)});
    } else {
        std::vector<Box> boxes(1);
        for (const auto& [rgb, n] : histogram)
            boxes[0].entries.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, n});
        while (static_cast<int>(boxes.size()) < maxColours) {
            // Split the box with the largest spread times weight.
            int pick = -1;
            double bestScore = 0;
            for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
                if (boxes[i].entries.size() < 2)
                    continue;
                const auto [ch, range] = boxes[i].widest();
                (void)ch;
                const double score
                    = static_cast<double>(range) * std::sqrt(static_cast<double>(boxes[i].weight()));
                if (score > bestScore) {
                    bestScore = score;
                    pick = i;
                }
            }
            if (pick < 0)
                break;
            Box& box = boxes[pick];
            const int ch = box.widest().first;
            std::sort(box.entries.begin(), box.entries.end(), [ch](const Entry& a, const Entry& b) {
                if (a.rgb[ch] != b.rgb[ch])
                    return a.rgb[ch] < b.rgb[ch];
                return a.rgb < b.rgb;
            });
            const long half = box.weight() / 2;
            long acc = 0;
            std::size_t cut = 1;
            for (std::size_t i = 0; i + 1 < box.entries.size(); ++i) {
                acc += box.entries[i].count;
                cut = i + 1;
                if (acc >= half)
                    break;
            }
            Box other;
            other.entries.assign(box.entries.begin() + static_cast<long>(cut), box.entries.end());
            box.entries.resize(cut);
            boxes.push_back(std::move(other));
        }
        for (const Box& b : boxes)
            palette.push_back(meanOf(b.entries));
        // A few refining passes: every colour moves to the mean of the pixels
        // nearest to it.
        for (int pass = 0; pass < 3; ++pass) {
            std::vector<std::vector<Entry>> members(palette.size());
            for (const auto& [rgb, n] : histogram) {
                const std::array<int, 3> c {qRed(rgb), qGreen(rgb), qBlue(rgb)};
                std::size_t best = 0;
                int bestD = INT32_MAX;
                for (std::size_t i = 0; i < palette.size(); ++i) {
                    const int d = dist2(c, palette[i]);
                    if (d < bestD) {
                        bestD = d;
                        best = i;
                    }
                }
                members[best].push_back({c, n});
            }
            for (std::size_t i = 0; i < palette.size(); ++i) {
                if (!members[i].empty())
                    palette[i] = meanOf(members[i]);
            }
        }
    }
    QImage out(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const auto& c : palette)
        table << qRgb(c[0], c[1], c[2]);
    out.setColorTable(table);
    std::map<QRgb, int> lookup;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const QRgb key = row[x] | 0xFF000000u;
            auto it = lookup.find(key);
            if (it == lookup.end()) {
                const std::array<int, 3> c {qRed(key), qGreen(key), qBlue(key)};
                int best = 0, bestD = INT32_MAX;
                for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
                    const int d = dist2(c, palette[static_cast<std::size_t>(i)]);
                    if (d < bestD) {
                        bestD = d;
                        best = i;
                    }
                }
                it = lookup.emplace(key, best).first;
            }
            dst[x] = static_cast<uchar>(it->second);
        }
    }
    return out;
}

namespace {

int writeToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<QByteArray*>(gif->UserData);
    out->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray encodeGif(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage indexed = quantise(image, 256);
    const QList<QRgb> table = indexed.colorTable();
    // GIF colour tables hold a power of two entries.
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToBuffer, &error);
    if (!gif)
        return {};
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
            static_cast<GifByteType>(qBlue(c))};
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        std::memcpy(line.data(), indexed.constScanLine(y), line.size());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    return ok ? out : QByteArray();
}

namespace {

void putU16(QByteArray& b, int v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

void putU32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray encodeCursor(const QImage& source, QPoint hotSpot)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray bmp;
    // BITMAPINFOHEADER; the height counts the colour picture and the mask.
    putU32(bmp, 40);
    putU32(bmp, static_cast<quint32>(w));
    putU32(bmp, static_cast<quint32>(h * 2));
    putU16(bmp, 1);
    putU16(bmp, 32);
    putU32(bmp, 0);
    putU32(bmp, static_cast<quint32>(w * h * 4 + maskStride * h));
    putU32(bmp, 0);
    putU32(bmp, 0);
    putU32(bmp, 0);
    putU32(bmp, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            bmp.append(static_cast<char>(qBlue(row[x])));
            bmp.append(static_cast<char>(qGreen(row[x])));
            bmp.append(static_cast<char>(qRed(row[x])));
            bmp.append(static_cast<char>(qAlpha(row[x])));
        }
    }
    // AND mask: 1 where the screen shows through.
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QByteArray line(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(row[x]) < 128)
                line[x / 8] = static_cast<char>(line[x / 8] | (0x80 >> (x % 8)));
        }
        bmp.append(line);
    }
    QByteArray file;
    putU16(file, 0);
    putU16(file, 2); // cursor
    putU16(file, 1);
    file.append(static_cast<char>(w >= 256 ? 0 : w));
    file.append(static_cast<char>(h >= 256 ? 0 : h));
    file.append('\0'); // colour count
    file.append('\0');
    putU16(file, hotSpot.x());
    putU16(file, hotSpot.y());
    putU32(file, static_cast<quint32>(bmp.size()));
    putU32(file, 6 + 16);
    file.append(bmp);
    return file;
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return {};
    return out;
}

QByteArray encodeJpegWithin(const QImage& image, int maxBytes, int startQuality, int* chosenQuality)
{
    QByteArray out;
    for (int q = startQuality; q >= 50; --q) {
        out = encodeJpeg(image, q);
        if (chosenQuality)
            *chosenQuality = q;
        if (!out.isEmpty() && out.size() <= maxBytes)
            break;
    }
    return out;
}

QByteArray encodePng(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt maps quality to the zlib level: 0 is the smallest file.
    writer.setQuality(10);
    const QImage img = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                               : image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(img))
        return {};
    return out;
}

} // namespace kf::art
