#pragma once

#include "appfolder.h"
#include "operatorconfig.h"
#include "phototable.h"
#include "skin.h"

#include <QString>

namespace kf {

// What one run of the booth shares between its windows: where it lives, the
// run's photo folder, the operator's configuration and the skin variant.
// Fixed at start; windows get it by reference.
struct BoothSession {
    QString appFolder; // AppFolder: the folder of the program file
    QString shootFolder; // ShootFolder: PhotoSaved/<stamp> of this run
    OperatorConfig config;
    SkinVariant variant = SkinVariant::A;

    // A path below the application folder, resolved without regard to case.
    QString path(const QString& relative) const { return resolvePath(appFolder, relative); }
    QString dataPath(const QString& name) const { return path(QStringLiteral("data/") + name); }
    QString uploadFolder() const { return path(QString::fromLatin1(kUploadFolder)); }
    QString templateRoot() const { return path(QString::fromLatin1(kTemplateRoot)); }

    // Reads the configuration and the skin variant of the installation at
    // appFolder; shootFolder stays to be set.
    static BoothSession forInstallation(const QString& appFolder);
};

} // namespace kf
