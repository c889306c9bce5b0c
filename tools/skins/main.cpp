// Draws both skins: q7skingen <folder that receives skin1/ and skin2/>
#include "SkinWriter.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    // Fonts need a platform; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: q7skingen <img folder>\n");
        return 2;
    }
    int failures = 0;
    for (int number : {1, 2}) {
        SkinWriter out(QString::fromLocal8Bit(argv[1]), SkinStyle::forSkin(number));
        drawFrame(out);
        drawControls(out);
        drawMenus(out);
        drawPageBackgrounds(out);
        drawMice(out);
        drawGuns(out);
        failures += out.failures();
        std::printf("skin%d: %d images\n", number, out.written());
    }
    return failures == 0 ? 0 : 1;
}
