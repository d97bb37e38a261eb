#pragma once

#include <QtCore/qglobal.h>

#if defined(SHEEN_BUILD_LIBRARY)
#define SHEEN_EXPORT Q_DECL_EXPORT
#else
#define SHEEN_EXPORT Q_DECL_IMPORT
#endif
