// kf-topng IN OUT.png: converts any picture the booth reads (the working
// format's BMP files, sidecars, stored JPEGs) into a PNG for viewing.
#include <QGuiApplication>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kf-topng IN OUT.png\n");
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "kf-topng: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
