#include "app/HiddenColumns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "app/SettingsFile.h"

namespace corvalen {
namespace {

// The largest column number the list keeps; the table has 19 columns.
constexpr int kMaxColumns = 64;

QString SiblingOf(const QString& settingsPath) {
    if (settingsPath.isEmpty()) {
        return {};
    }
    return QFileInfo(settingsPath).dir().filePath(QString::fromLatin1(HiddenColumns::kFileName));
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

HiddenColumns::HiddenColumns(const SettingsFile& settings)
    : m_programFile(SiblingOf(settings.programPath())),
      m_userFile(SiblingOf(settings.userPath())) {}

QString HiddenColumns::storePath() const {
    // As with the settings: a list beside the program that can no longer be written is older
    // than the user's one.
    const bool userExists = !m_userFile.isEmpty() && QFileInfo::exists(m_userFile);
    if (!userExists ||
        (QFileInfo::exists(m_programFile) && QFileInfo(m_programFile).isWritable())) {
        return m_programFile;
    }
    return m_userFile;
}

void HiddenColumns::load() {
    m_columns.clear();
    QFile file(storePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QList<QByteArray> lines = file.read(4096).split('\n');
    for (const QByteArray& line : lines) {
        bool ok = false;
        const int number = line.trimmed().toInt(&ok);
        if (ok && number >= 1 && number <= kMaxColumns && !m_columns.contains(number - 1)) {
            m_columns << number - 1;
        }
    }
    std::sort(m_columns.begin(), m_columns.end());
}

void HiddenColumns::setHidden(int column, bool hidden) {
    if (column < 0 || column >= kMaxColumns || isHidden(column) == hidden) {
        return;
    }
    if (hidden) {
        m_columns << column;
        std::sort(m_columns.begin(), m_columns.end());
    } else {
        m_columns.removeAll(column);
    }
    save();
}

void HiddenColumns::save() const {
    QByteArray bytes;
    for (const int column : m_columns) {
        bytes += QByteArray::number(column + 1) + "\r\n";
    }
    if (WriteWhole(m_programFile, bytes) || m_userFile.isEmpty()) {
        return;
    }
    QDir().mkpath(QFileInfo(m_userFile).path());
    WriteWhole(m_userFile, bytes);
}

}  // namespace corvalen
