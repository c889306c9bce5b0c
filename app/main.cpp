#include "AppConfigStore.h"
#include "InputCapture.h"
#include "NoticeChannel.h"
#include "RuntimeDir.h"
#include "UserPrompt.h"
#include "Widget.h"
#include "WidgetPrompt.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[]) {
    RuntimeDir::ensure();
    QApplication app(argc, argv);
    // Every path under ./modules/ rests on this.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    // One window per user: a second start shows the running one and ends.
    if (NoticeChannel::sendRaise(AppConfigStore::windowTitle()))
        return 0;

    WidgetPrompt prompt;
    UserPrompt::install(&prompt);

    int result = 0;
    {
        Widget widget;
        QObject::connect(&widget, &Widget::programEnding, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        // Keys and buttons go to the scene through the view, which queues each call.
        InputCapture capture;
        myQQuickView *view = widget.view();
        QObject::connect(
            capture.translator(), &KeyTranslator::keyReported, view,
            [view](uint8_t usbCode, bool isDown) { view->detectKeyboard(isDown, usbCode); });
        QObject::connect(capture.translator(), &KeyTranslator::buttonReported, view,
                         [view](uint8_t code, bool isDown, int x, int y) {
                             view->detectMouse(isDown, code, x, y);
                         });
        capture.install(false, view);
        widget.startUp();
        result = app.exec();
        capture.remove();
    }
    UserPrompt::install(nullptr);
    return result;
}
