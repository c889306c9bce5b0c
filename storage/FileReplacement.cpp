#include "FileReplacement.h"

#include "IniFileCheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("FileReplacement", text);
}
} // namespace

FileReplacement::FileReplacement(const QString &source, const QString &target)
    : m_source(source), m_target(target), m_temporary(target + QStringLiteral(".part")) {}

FileReplacement::~FileReplacement() {
    if (m_prepared)
        discardTemporary();
}

bool FileReplacement::prepare() {
    m_error = IniFileCheck::problem(m_source);
    if (!m_error.isEmpty())
        return false;
    // A leftover from an interrupted run would make the copy fail.
    QFile::remove(m_temporary);
    if (!QFile::copy(m_source, m_temporary)) {
        m_error = tr("%1 could not be copied to %2.").arg(m_source, m_temporary);
        discardTemporary();
        return false;
    }
    // The copy takes the source's mode; a read-only factory file must not make the copy so.
    QFile::setPermissions(m_temporary, QFile::permissions(m_temporary) | QFileDevice::ReadOwner |
                                           QFileDevice::WriteOwner);
    m_error = IniFileCheck::problem(m_temporary);
    if (!m_error.isEmpty()) {
        discardTemporary();
        return false;
    }
    m_prepared = true;
    return true;
}

bool FileReplacement::commit() {
    if (!m_prepared)
        return false;
    const QFileInfo previous(m_target);
    const QDateTime previousTime = previous.exists() ? previous.lastModified() : QDateTime();
    // std::filesystem::rename replaces an existing target in one step; QFile::rename refuses.
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(m_temporary).toStdString(),
                            QFile::encodeName(m_target).toStdString(), code);
    if (code) {
        m_error = tr("%1 could not be replaced: %2")
                      .arg(m_target, QString::fromStdString(code.message()));
        discardTemporary();
        m_prepared = false;
        return false;
    }
    m_prepared = false;
    keepCacheFromHidingTheChange(previousTime);
    return true;
}

// QSettings keeps what it parsed and reads a file again only when its size or modification
// time changed. File times tick coarsely, so a replacement of the same size can look unchanged;
// a later time makes it read the new content.
void FileReplacement::keepCacheFromHidingTheChange(const QDateTime &previousTime) {
    if (!previousTime.isValid() || QFileInfo(m_target).lastModified() > previousTime)
        return;
    QFile file(m_target);
    if (file.open(QIODevice::ReadOnly))
        file.setFileTime(previousTime.addMSecs(1), QFileDevice::FileModificationTime);
}

void FileReplacement::discardTemporary() {
    QFile::remove(m_temporary);
}
