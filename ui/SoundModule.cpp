#include "SoundModule.h"

#include "InstallLayout.h"
#include "SoundOutput.h"
#include "SoundServer.h"

#include <QLibrary>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSound)

namespace {
QString modulePath;
} // namespace

void SoundModule::setPath(const QString &path) {
    modulePath = path;
}

SoundOutput *SoundModule::output() {
    static SoundOutput *const output = []() -> SoundOutput * {
        if (!SoundServer::mayListen(QProcessEnvironment::systemEnvironment())) {
            qCDebug(lcSound, "No sound server is listening");
            return nullptr;
        }
        // Kept loaded for the rest of the run: its players live as long as the program.
        auto *module =
            new QLibrary(modulePath.isEmpty() ? InstallLayout().soundModule() : modulePath);
        const auto entry =
            module->load()
                ? reinterpret_cast<SoundOutputEntry>(module->resolve(SoundOutputEntryName))
                : nullptr;
        if (!entry) {
            qCWarning(lcSound).noquote()
                << "The sounds stay silent: the audio module cannot be loaded:"
                << module->errorString();
            return nullptr;
        }
        return entry();
    }();
    return output;
}
