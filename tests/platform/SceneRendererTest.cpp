// Which renderer draws the scene: the software one only where no graphics device could run
// OpenGL in hardware, and never against the user's own choice.
#include "SceneRenderer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SceneRendererTest : public QObject {
    Q_OBJECT
private slots:
    void graphicsDeviceFromTheDeviceNodes_data() {
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<bool>("device");
        QTest::newRow("no /dev/dri") << QStringList{} << false;
        QTest::newRow("an empty /dev/dri") << QStringList{QStringLiteral("dri/")} << false;
        QTest::newRow("only the by-path links folder")
            << QStringList{QStringLiteral("dri/by-path/")} << false;
        QTest::newRow("a render node") << QStringList{QStringLiteral("dri/renderD128")} << true;
        QTest::newRow("a card node") << QStringList{QStringLiteral("dri/card0")} << true;
        QTest::newRow("NVIDIA's driver") << QStringList{QStringLiteral("nvidiactl")} << true;
    }

    void graphicsDeviceFromTheDeviceNodes() {
        QFETCH(QStringList, nodes);
        QFETCH(bool, device);
        QTemporaryDir dev;
        for (const QString &node : nodes) {
            const QString path = dev.filePath(node);
            if (node.endsWith(u'/')) {
                QVERIFY(QDir().mkpath(path));
                continue;
            }
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(SceneRenderer::hasGraphicsDevice(dev.path()), device);
    }

    void theUsersChoiceDecides() {
        QProcessEnvironment env;
        QVERIFY(SceneRenderer::softwareWanted(env, false));
        QVERIFY(!SceneRenderer::softwareWanted(env, true));
        for (const char *name : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND"}) {
            QProcessEnvironment chosen;
            chosen.insert(QString::fromLatin1(name), QStringLiteral("opengl"));
            QVERIFY2(!SceneRenderer::softwareWanted(chosen, false), name);
            QVERIFY2(!SceneRenderer::drawsInSoftware(chosen, false), name);
        }
        // The user's software choice draws in software on any machine.
        QVERIFY(SceneRenderer::drawsInSoftware(env, false));
        for (const char *backend : {"software", "softwarecontext"}) {
            QProcessEnvironment chosen;
            chosen.insert(QStringLiteral("QT_QUICK_BACKEND"), QString::fromLatin1(backend));
            QVERIFY2(SceneRenderer::drawsInSoftware(chosen, true), backend);
        }
    }
};

QTEST_GUILESS_MAIN(SceneRendererTest)
#include "SceneRendererTest.moc"
