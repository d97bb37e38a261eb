#pragma once

#include <QString>

namespace kf {

// The two looks of the booth, chosen at start from the size of
// data/main.jpg: each has its own web address, messenger accounts and the
// site mark drawn into the photos.
enum class SkinVariant { A, B };

// L = size in bytes / 1024, rounded to the nearest integer with halves to
// the even neighbour; variant A for L <= 175 (shorter than 179,712 bytes),
// B otherwise. A missing file gives A.
SkinVariant skinVariantForSize(qint64 bytes);
SkinVariant skinVariantOf(const QString& mainPicturePath);

// Values the operator sets in data/operator.ini (Qt INI format) below the
// application folder; every value has a default, so a missing file or key
// still gives a working booth.
struct OperatorConfig {
    QString siteName = QStringLiteral("Snapolia");

    QString webA = QStringLiteral("http://www.snapolia.example/");
    QString webB = QStringLiteral("http://www.snapolia-photo.example/");
    QString markA = QStringLiteral("Snapolia");
    QString markB = QStringLiteral("Snapolia Photo");
    QString messengerA = QStringLiteral("10001");
    QString messengerB = QStringLiteral("10002");
    QString messengerB2 = QStringLiteral("10003");

    QString updateSite = QStringLiteral("http://www.snapolia.example");
    QString downloadAddress = QStringLiteral("http://www.snapolia.example/software/setup_cn.exe");

    QString albumHost = QStringLiteral("album.snapolia.example");
    int albumPort = 8000;
    QString ftpUser = QStringLiteral("booth01");
    QString ftpPassword = QStringLiteral("changeme10");

    // Reads the file; keys that are missing keep their defaults.
    static OperatorConfig load(const QString& iniPath);
    // data/operator.ini below the application folder.
    static QString defaultPath(const QString& appFolder);

    QString web(SkinVariant v) const { return v == SkinVariant::A ? webA : webB; }
    QString siteMark(SkinVariant v) const { return v == SkinVariant::A ? markA : markB; }
    QString messenger(SkinVariant v) const { return v == SkinVariant::A ? messengerA : messengerB; }
};

} // namespace kf
