#include "cursorfile.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace kf {

std::optional<QCursor> loadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(22);
    file.close();
    // Directory: reserved 0, type 2 (cursor), count >= 1; first entry at 6,
    // with the hot spot at entry offsets 4 and 6.
    if (head.size() < 22)
        return std::nullopt;
    const auto* b = reinterpret_cast<const uchar*>(head.constData());
    if (qFromLittleEndian<quint16>(b) != 0 || qFromLittleEndian<quint16>(b + 2) != 2
        || qFromLittleEndian<quint16>(b + 4) == 0)
        return std::nullopt;
    const int hotX = qFromLittleEndian<quint16>(b + 10);
    const int hotY = qFromLittleEndian<quint16>(b + 12);
    QImageReader reader(path, "cur");
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), qMin(hotX, image.width() - 1), qMin(hotY, image.height() - 1));
}

} // namespace kf
