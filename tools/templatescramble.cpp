// kf-template-scramble FILE...: scrambles plain template pictures for the
// booth's image/<category>/ folders, or unscrambles stored ones (the same
// operation both ways). Files are changed in place and keep their length.
#include "shell/templatescramble.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: kf-template-scramble FILE...\n"
                             "Scrambles a plain template, or unscrambles a stored one, in place.\n");
        return 2;
    }
    int failed = 0;
    for (const QString& f : files) {
        if (!QFileInfo(f).isFile() || !kf::toggleTemplate(f)) {
            std::fprintf(stderr, "kf-template-scramble: cannot change %s\n", qPrintable(f));
            ++failed;
        }
    }
    return failed ? 1 : 0;
}
