#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace kf::art {

// One file of the installation content, by its path relative to the
// application folder ('/' separated).
struct ContentFile {
    QString path;
    QByteArray bytes;
};

// Template folders, in the order of the category buttons.
QStringList templateCategories();

// Every file of the application folder's content except data/operator.ini
// (the operator's own file, copied as it is): the skin, button pictures,
// placeholders, cursor, help page and the scrambled templates. The same
// bytes on every run.
QList<ContentFile> buildContent();

// The booth's application icon at size x size pixels.
QImage appIcon(int size);

} // namespace kf::art
