#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace corvalen {
namespace {

bool SameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
               .compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()), kCase) == 0;
}

}  // namespace

void RecentFiles::load() {
    m_paths.clear();
    constexpr qint64 kLongestList = qint64{1} << 20;
    const QStringList lines =
        QString::fromUtf8(m_settings.readBeside(kFileName, kLongestList)).split(QLatin1Char('\n'));
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
    m_paths.resize(std::min<qsizetype>(m_paths.size(), kMaxFiles));
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
    m_settings.writeBeside(kFileName, bytes);
}

}  // namespace corvalen
