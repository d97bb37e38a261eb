#include "propertybag.h"

#include "picture.h"

#include <QColor>
#include <QFont>
#include <QSettings>
#include <QtDebug>

namespace sheen {

namespace {

// The stored value in the type the reader expects, or nothing when it cannot
// be taken as that type. Text is read strictly: "12x" is no number.
std::optional<QVariant> asType(const QVariant& stored, QMetaType type)
{
    if (stored.metaType() == type)
        return stored;
    const bool text = stored.metaType() == QMetaType::fromType<QString>()
        || stored.metaType() == QMetaType::fromType<QByteArray>();
    const QString string = stored.toString().trimmed();
    switch (type.id()) {
    case QMetaType::Int: {
        bool ok = false;
        const int value = text ? string.toInt(&ok) : stored.toInt(&ok);
        return ok ? std::optional<QVariant>(value) : std::nullopt;
    }
    case QMetaType::Bool:
        if (!text)
            break;
        if (string.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || string == QLatin1String("1"))
            return QVariant(true);
        if (string.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || string == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    case QMetaType::QString:
        if (text)
            return QVariant(stored.toString());
        break;
    case QMetaType::QColor: {
        if (!text)
            break;
        const QColor color = QColor::fromString(string);
        return color.isValid() ? std::optional<QVariant>(color) : std::nullopt;
    }
    case QMetaType::QFont: {
        QFont font;
        if (text && font.fromString(string))
            return QVariant(font);
        return std::nullopt;
    }
    default:
        if (type == QMetaType::fromType<Picture>()
            && stored.metaType() == QMetaType::fromType<QByteArray>()) {
            if (auto picture = Picture::fromBytes(stored.toByteArray()))
                return QVariant::fromValue(*picture);
            return std::nullopt;
        }
        break;
    }
    QVariant converted = stored;
    if (stored.canConvert(type) && converted.convert(type))
        return converted;
    return std::nullopt;
}

} // namespace

PropertyBag::~PropertyBag() = default;

QVariant PropertyBag::read(const QString& name, const QVariant& defaultValue) const
{
    const std::optional<QVariant> stored = fetch(name);
    if (!stored)
        return defaultValue;
    if (auto value = asType(*stored, defaultValue.metaType()))
        return *value;
    qWarning("Sheen: the stored value of \"%s\" cannot be read; its default is used", qPrintable(name));
    return defaultValue;
}

void PropertyBag::write(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    if (value == defaultValue)
        erase(name);
    else
        store(name, value);
}

std::optional<QVariant> MapPropertyBag::fetch(const QString& name) const
{
    const auto it = m_map.constFind(name);
    if (it == m_map.constEnd())
        return std::nullopt;
    return *it;
}

void MapPropertyBag::store(const QString& name, const QVariant& value)
{
    m_map.insert(name, value);
}

void MapPropertyBag::erase(const QString& name)
{
    m_map.remove(name);
}

SettingsPropertyBag::SettingsPropertyBag(QSettings& settings, const QString& group)
    : m_settings(settings)
    , m_group(group)
{
}

QString SettingsPropertyBag::key(const QString& name) const
{
    return m_group.isEmpty() ? name : m_group + QLatin1Char('/') + name;
}

std::optional<QVariant> SettingsPropertyBag::fetch(const QString& name) const
{
    const QVariant value = m_settings.value(key(name));
    if (!value.isValid())
        return std::nullopt;
    return value;
}

void SettingsPropertyBag::store(const QString& name, const QVariant& value)
{
    QVariant text = value;
    switch (value.metaType().id()) {
    case QMetaType::QColor: {
        const QColor color = value.value<QColor>();
        text = color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
        break;
    }
    case QMetaType::QFont:
        text = value.value<QFont>().toString();
        break;
    default:
        if (value.metaType() == QMetaType::fromType<Picture>())
            text = value.value<Picture>().toBytes();
        break;
    }
    m_settings.setValue(key(name), text);
}

void SettingsPropertyBag::erase(const QString& name)
{
    m_settings.remove(key(name));
}

} // namespace sheen
