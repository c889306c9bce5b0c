// The floor: a Qt Quick widget showing one line of text, at the program's window size.
#include <QApplication>
#include <QQuickWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QQuickWidget view;
    view.setResizeMode(QQuickWidget::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:/bare.qml")));
    view.resize(1000, 600);
    view.show();
    return app.exec();
}
