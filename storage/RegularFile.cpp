#include "RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("RegularFile", text);
}

class Descriptor {
public:
    explicit Descriptor(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int fd() const { return m_fd; }
    bool isRegular(struct stat *info) const {
        return m_fd >= 0 && ::fstat(m_fd, info) == 0 && S_ISREG(info->st_mode);
    }

private:
    int m_fd;
};

} // namespace

std::optional<QByteArray> RegularFile::read(const QString &path, qint64 maximumSize,
                                            QString *error) {
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const Descriptor file(path);
    struct stat info = {};
    if (file.fd() < 0)
        return fail(tr("%1 cannot be read.").arg(path));
    if (!file.isRegular(&info))
        return fail(tr("%1 is not a regular file.").arg(path));
    if (info.st_size > maximumSize)
        return fail(tr("%1 is too large.").arg(path));
    // The size may grow while we read: one byte more than allowed tells us so.
    QByteArray content(maximumSize + 1, Qt::Uninitialized);
    qint64 total = 0;
    while (total < content.size()) {
        const ssize_t n = ::read(file.fd(), content.data() + total, size_t(content.size() - total));
        if (n < 0)
            return fail(tr("%1 cannot be read.").arg(path));
        if (n == 0)
            break;
        total += n;
    }
    if (total > maximumSize)
        return fail(tr("%1 is too large.").arg(path));
    content.truncate(total);
    return content;
}

bool RegularFile::isReadable(const QString &path) {
    struct stat info = {};
    return Descriptor(path).isRegular(&info);
}

bool RegularFile::isUsableForSettings(const QString &path) {
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return false; // a write would create a file wherever the link points
    return !info.exists() || info.isFile();
}
