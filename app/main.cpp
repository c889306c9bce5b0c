#include "AppConfigStore.h"
#include "NoticeChannel.h"
#include "RuntimeDir.h"
#include "UserPrompt.h"
#include "Widget.h"
#include "WidgetPrompt.h"

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
        widget.startUp();
        result = app.exec();
    }
    UserPrompt::install(nullptr);
    return result;
}
