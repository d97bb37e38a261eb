#include "templatescramble.h"

#include <QFile>

namespace kf {

void toggleTemplateBytes(std::uint8_t* data, std::size_t size)
{
    if (size < static_cast<std::size_t>(kTemplateScrambleLength))
        return;
    for (int i = 0; i < kTemplateScrambleLength; ++i)
        data[i] ^= templateKeyByte(i);
}

bool toggleTemplate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    if (file.size() < kTemplateScrambleLength)
        return true;
    QByteArray head = file.read(kTemplateScrambleLength);
    if (head.size() != kTemplateScrambleLength)
        return false;
    toggleTemplateBytes(reinterpret_cast<std::uint8_t*>(head.data()), static_cast<std::size_t>(head.size()));
    // Only the head is rewritten, in one write at offset 0, so the rest of
    // the file and its length stay as they are.
    if (!file.seek(0) || file.write(head) != head.size())
        return false;
    return file.flush();
}

} // namespace kf
