#include "FileReplacement.h"

#include "IniFileCheck.h"
#include "RegularFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("FileReplacement", text);
}

// QSettings keeps what it parsed and reads a file again only when its size or modification
// time changed. File times tick coarsely, so a replacement of the same size can look unchanged;
// a later time makes it read the new content.
void keepCacheFromHidingTheChange(const QString &target, const QDateTime &previousTime) {
    if (!previousTime.isValid() || QFileInfo(target).lastModified() > previousTime)
        return;
    QFile file(target);
    if (file.open(QIODevice::ReadOnly))
        file.setFileTime(previousTime.addMSecs(1), QFileDevice::FileModificationTime);
}

} // namespace

FileReplacement::FileReplacement(const QString &source, const QString &target)
    : m_source(source), m_target(target) {}

bool FileReplacement::prepare() {
    m_prepared = false;
    const std::optional<QByteArray> content =
        RegularFile::read(m_source, IniFileCheck::maximumSize, &m_error);
    if (!content)
        return false;
    m_error = IniFileCheck::problemIn(*content, m_source);
    if (!m_error.isEmpty())
        return false;
    // QSaveFile follows a link and renames over what it points to: that must be a plain file.
    if (!RegularFile::isUsableForSettings(m_target)) {
        m_error = tr("%1 is not a regular file and was left as it is.").arg(m_target);
        return false;
    }
    m_content = *content;
    m_prepared = true;
    return true;
}

bool FileReplacement::commit() {
    if (!m_prepared)
        return false;
    m_prepared = false;
    const QFileInfo previous(m_target);
    const QDateTime previousTime = previous.exists() ? previous.lastModified() : QDateTime();
    QSaveFile file(m_target);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_content) != m_content.size() ||
        !file.commit()) {
        m_error = tr("%1 could not be replaced: %2").arg(m_target, file.errorString());
        return false;
    }
    keepCacheFromHidingTheChange(m_target, previousTime);
    return true;
}
