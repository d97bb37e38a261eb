#include "session.h"

namespace kf {

BoothSession BoothSession::forInstallation(const QString& appFolder)
{
    BoothSession s;
    s.appFolder = appFolder;
    s.config = OperatorConfig::load(OperatorConfig::defaultPath(appFolder));
    s.variant = skinVariantOf(s.path(QString::fromLatin1(kMainPicture)));
    return s;
}

} // namespace kf
