#include "FuzzFiles.h"

#include "FuzzSetup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

namespace FuzzFiles {

void start(bool widgets) {
    FuzzSetup::quietMessages();
    FuzzSetup::application(widgets);
    sandbox();
    prompt();
}

QString fileName(const QByteArray &input) {
    QString name = QString::fromUtf8(input).left(40);
    return name.remove(QLatin1Char('/')).remove(QChar(0));
}

StorageSandbox &sandbox() {
    static StorageSandbox *folder = [] {
        auto *made = new StorageSandbox;
        if (!made->isReady())
            std::abort();
        return made;
    }();
    return *folder;
}

RecordingPrompt &prompt() {
    static RecordingPrompt *answers = new RecordingPrompt;
    return *answers;
}

void write(const QString &path, const QByteArray &content) {
    static QDateTime stamp = QDateTime::currentDateTimeUtc().addYears(-1);
    stamp = stamp.addSecs(1);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size() ||
        !file.setFileTime(stamp, QFileDevice::FileModificationTime))
        std::abort();
}

void restore(const QString &relativePath) {
    const QString target = QStringLiteral("modules/") + relativePath;
    QFile shipped(QStringLiteral(Q7_MODULES_SOURCE "/") + relativePath);
    if (!shipped.exists()) {
        QFile::remove(target);
        return;
    }
    if (!shipped.open(QIODevice::ReadOnly))
        std::abort();
    write(target, shipped.readAll());
}

} // namespace FuzzFiles
