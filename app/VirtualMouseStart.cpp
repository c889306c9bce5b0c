#include "VirtualMouseStart.h"

#include "InstallLayout.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

bool VirtualMouseStart::asked(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--virtual") == 0)
            return true;
    }
    return false;
}

bool VirtualMouseStart::ensurePreloaded(char **argv) {
    const QString library = InstallLayout().virtualMouseLibrary();
    const QByteArray path = library.toLocal8Bit();
    const QByteArray preload = qgetenv("LD_PRELOAD");
    // The loader splits LD_PRELOAD at spaces and colons.
    for (const QByteArray &entry : preload.split(':')) {
        for (const QByteArray &item : entry.split(' ')) {
            if (item == path)
                return true;
        }
    }
    if (!QFileInfo::exists(library)) {
        std::fprintf(stderr, "q7config: the virtual mouse is not installed (%s is missing)\n",
                     path.constData());
        return false;
    }
    const QByteArray value = preload.isEmpty() ? path : path + ':' + preload;
    setenv("LD_PRELOAD", value.constData(), 1);
    // By its own path: a process started through /proc/self/exe is named "exe" in ps and task
    // managers. That link stays the way back when the file has since been replaced or removed.
    const QByteArray self =
        QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    if (!self.isEmpty())
        execv(self.constData(), argv);
    execv("/proc/self/exe", argv);
    std::fprintf(stderr, "q7config: cannot start again with the virtual mouse: %s\n",
                 std::strerror(errno));
    return false;
}
