#include "UserPrompt.h"
#include "Widget.h"
#include "WidgetPrompt.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Every path under ./modules/ rests on this.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

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
