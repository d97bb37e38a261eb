// Reading a number field of the argument text or the version text.
#pragma once

#include <QString>
#include <optional>

namespace renovo::detail {

// A plain non-negative decimal, blanks around it allowed; nothing else.
inline std::optional<qint64> readDecimal(const QString& field)
{
    const QString digits = field.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace renovo::detail
