#include "AfterFirstFrame.h"
#include "AppConfigStore.h"
#include "AppIdentity.h"
#include "Autostart.h"
#include "BackgroundRunner.h"
#include "DataFolder.h"
#include "DisplayServer.h"
#include "FocusRules.h"
#include "InputCapture.h"
#include "KeepInStep.h"
#include "MouseService.h"
#include "NoticeChannel.h"
#include "RuntimeDir.h"
#include "SceneRenderer.h"
#include "StartupTimeline.h"
#include "UserPrompt.h"
#include "VirtualMouseStart.h"
#include "Widget.h"
#include "WidgetPrompt.h"
#include "WindowActivation.h"
#include "WindowDecorations.h"
#include "myQQuickView.h"
#include "q7config_help.h"

#include <QApplication>
#include <QQuickWindow>

#include <cstdio>
#include <cstring>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// When the window system has not shown the window by then, the bus is served all the same.
constexpr int BusStartLatestMs = 1000;
} // namespace

int main(int argc, char *argv[]) {
    StartupTimeline::mark("main");
#ifdef __GLIBC__
    // Decoded pictures and texture uploads are large and short-lived. By default glibc raises its
    // mmap threshold after the first such buffer is freed, and later ones then stay in the heap as
    // free but resident memory; a fixed threshold hands each back to the system when freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(Manual::q7configHelp, stdout);
        return 0;
    }
    if (VirtualMouseStart::asked(argc, argv) && !VirtualMouseStart::ensurePreloaded(argv))
        return 1;

    RuntimeDir::ensure();
    DisplayServer::SessionPlatform platform;
    QApplication app(argc, argv);
    StartupTimeline::mark("application");
    platform.release();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const bool graphicsDevice = SceneRenderer::hasGraphicsDevice();
    if (SceneRenderer::softwareWanted(env, graphicsDevice))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    WindowDecorations::leaveToCompositor(SceneRenderer::drawsInSoftware(env, graphicsDevice));
    AppIdentity::apply();
    // Every path under ./modules/ rests on this.
    const DataFolder::Choice data = DataFolder::enter();

    // One window per user: a second start shows the running one and ends.
    if (NoticeChannel::sendRaise(AppConfigStore::windowTitle(),
                                 WindowActivation::tokenForRunningWindow))
        return 0;

    WidgetPrompt prompt;
    UserPrompt::install(&prompt);
    if (!data.error.isEmpty())
        UserPrompt::current().warning(QStringLiteral("Q7"), data.error);

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
        if (!capture.install(false, view))
            view->setCaptureHint(InputCapture::windowOnlyLine());
        // Without its window the program keeps the rules working (started so at login).
        BackgroundRunner background(widget);
        KeepInStep keepInStep(widget);
        keepInStep.watchSleep();
        // The application in focus chooses the profile, by the rules.
        FocusRules focusRules(widget);
        const bool hidden = app.arguments().contains(QLatin1String(Autostart::BackgroundArgument));
        if (widget.startUp(!hidden) && hidden)
            background.startHidden();
        // Scripts and desktops reach the window on the session bus (q7ctl among them). The first
        // frame does not need the bus: the name is taken once it is on screen, or at once when
        // no window shows.
        MouseService bus(widget);
        AfterFirstFrame busStart(
            hidden ? nullptr : widget.windowHandle(), [&bus] { bus.start(); },
            hidden ? 0 : BusStartLatestMs);
        result = app.exec();
        capture.remove();
    }
    UserPrompt::install(nullptr);
    return result;
}
