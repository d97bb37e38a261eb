#pragma once

#include "sheen_global.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

class QSettings;

namespace sheen {

// The host's store for a button's properties. A value equal to its default
// is not kept (and one kept earlier is dropped), so a store holds only what
// differs from a new button. Reading gives the stored value in the type of
// the default, or the default when nothing usable is stored.
class SHEEN_EXPORT PropertyBag {
public:
    virtual ~PropertyBag();

    QVariant read(const QString& name, const QVariant& defaultValue) const;
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue);

protected:
    virtual std::optional<QVariant> fetch(const QString& name) const = 0;
    virtual void store(const QString& name, const QVariant& value) = 0;
    virtual void erase(const QString& name) = 0;
};

// Keeps the values as they are, in a map of the caller's.
class SHEEN_EXPORT MapPropertyBag : public PropertyBag {
public:
    explicit MapPropertyBag(QVariantMap& map)
        : m_map(map)
    {
    }

protected:
    std::optional<QVariant> fetch(const QString& name) const override;
    void store(const QString& name, const QVariant& value) override;
    void erase(const QString& name) override;

private:
    QVariantMap& m_map;
};

// Keeps the values in a group of a settings file, in text a person can read
// where the type allows: colours as "#rrggbb" (or "#aarrggbb"), fonts in
// Qt's font description, pictures as bytes.
class SHEEN_EXPORT SettingsPropertyBag : public PropertyBag {
public:
    SettingsPropertyBag(QSettings& settings, const QString& group);

protected:
    std::optional<QVariant> fetch(const QString& name) const override;
    void store(const QString& name, const QVariant& value) override;
    void erase(const QString& name) override;

private:
    QString key(const QString& name) const;
    QSettings& m_settings;
    QString m_group;
};

} // namespace sheen
