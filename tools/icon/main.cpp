// Renders the drawn icon at the sizes the program gives the desktop, so that the program itself
// never loads Qt Svg: q7icongen <icon.svg> <folder> <size>...  writes <folder>/q7config-<size>.png
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    // The SVG plugin paints through QtGui; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: q7icongen <icon.svg> <folder> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        QImageReader reader(source, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString target = QStringLiteral("%1/q7config-%2.png").arg(folder).arg(size);
        if (size <= 0 || image.isNull() || !image.save(target, "PNG")) {
            std::fprintf(stderr, "q7icongen: cannot render %s at %d px into %s: %s\n",
                         qPrintable(source), size, qPrintable(target),
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
