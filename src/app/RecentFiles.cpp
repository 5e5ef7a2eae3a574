#include "app/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/SettingsFile.h"

namespace corvalen {
namespace {

QString SiblingOf(const QString& settingsPath) {
    if (settingsPath.isEmpty()) {
        return {};
    }
    return QFileInfo(settingsPath).dir().filePath(QString::fromLatin1(RecentFiles::kFileName));
}

bool SameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
               .compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()), kCase) == 0;
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

RecentFiles::RecentFiles(const SettingsFile& settings)
    : m_programFile(SiblingOf(settings.programPath())),
      m_userFile(SiblingOf(settings.userPath())) {}

QString RecentFiles::storePath() const {
    // As with the settings: a list beside the program that can no longer be written is older
    // than the user's one.
    const bool userExists = !m_userFile.isEmpty() && QFileInfo::exists(m_userFile);
    if (!userExists ||
        (QFileInfo::exists(m_programFile) && QFileInfo(m_programFile).isWritable())) {
        return m_programFile;
    }
    return m_userFile;
}

void RecentFiles::load() {
    m_paths.clear();
    QFile file(storePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line.remove(QLatin1Char('\r'));
        if (!line.isEmpty() && m_paths.size() < kMaxFiles) {
            m_paths << line;
        }
    }
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeIf([&](const QString& entry) { return SameFile(entry, absolute); });
    m_paths.prepend(absolute);
    while (m_paths.size() > kMaxFiles) {
        m_paths.removeLast();
    }
    save();
}

void RecentFiles::remove(const QString& path) {
    if (m_paths.removeIf([&](const QString& entry) { return SameFile(entry, path); }) > 0) {
        save();
    }
}

void RecentFiles::save() const {
    QByteArray bytes;
    for (const QString& path : m_paths) {
        if (!path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'))) {
            bytes += path.toUtf8() + "\r\n";
        }
    }
    if (WriteWhole(m_programFile, bytes) || m_userFile.isEmpty()) {
        return;
    }
    QDir().mkpath(QFileInfo(m_userFile).path());
    WriteWhole(m_userFile, bytes);
}

}  // namespace corvalen
