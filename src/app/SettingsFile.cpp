#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <algorithm>
#include <utility>

#include "app/StatusText.h"
#include "convert/Windows1252.h"
#include "io/FileExists.h"

namespace corvalen {
namespace {

bool Exists(const QString& path) {
    return !path.isEmpty() && FileExists(QFile::encodeName(path).toStdString());
}

// Writes the whole file or nothing: a failed write leaves any old file as it was.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);  // what is not committed is discarded
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    error = file.errorString();
    return false;
}

QByteArray Encode(const StoredSettings& settings, qsizetype& replaced) {
    std::string bytes;
    std::size_t lost = AppendWindows1252FromUtf8(settings.winradioPath.toStdString(), bytes);
    bytes += "\r\n";
    lost += AppendWindows1252FromUtf8(settings.model.toStdString(), bytes);
    bytes += "\r\n";
    replaced = static_cast<qsizetype>(lost);
    return QByteArray::fromStdString(bytes);
}

// Each line is taken whole, so commas and quotes come back as they were written.
StoredSettings Decode(const QByteArray& bytes) {
    QString text = QString::fromStdString(
        Utf8FromWindows1252(std::string_view(bytes.constData(), bytes.size())));
    // CR LF is what the editor writes; a lone LF or CR (a file edited by hand) ends a line too.
    const QStringList split = text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                  .split(QLatin1Char('\n'));
    QString lines[2] = {split.value(0), split.value(1)};
    // A line that holds control characters (a binary file) or is longer than any folder path
    // is no value this editor wrote: it reads as empty, so the program starts as on a first run.
    constexpr qsizetype kLongestValue = 4096;
    for (QString& value : lines) {
        const bool control = std::any_of(value.begin(), value.end(), [](QChar c) {
            return c.unicode() < 0x20 || c.unicode() == 0x7F;
        });
        if (control || value.size() > kLongestValue) {
            value.clear();
        }
    }
    return StoredSettings{lines[0], lines[1]};
}

constexpr int kMostColumns = 64;

bool WriteLayout(const QString& path, const WindowLayout& layout) {
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.setValue(QStringLiteral("window/geometry"), layout.geometry);
    QStringList widths;
    for (const int width : layout.columnWidths) {
        widths << QString::number(width);
    }
    file.setValue(QStringLiteral("grid/columnWidths"), widths.join(QLatin1Char(',')));
    file.setValue(QStringLiteral("grid/frequencyUnit"), UnitName(layout.frequencyUnit));
    file.sync();
    return file.status() == QSettings::NoError;
}

}  // namespace

SettingsFile::SettingsFile(QString programFolder, QString userFolder)
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)) {}

QString SettingsFile::programPathOf(const char* name) const {
    return QDir(m_programFolder).filePath(QString::fromLatin1(name));
}

QString SettingsFile::userPathOf(const char* name) const {
    return m_userFolder.isEmpty() ? QString()
                                  : QDir(m_userFolder).filePath(QString::fromLatin1(name));
}

QString SettingsFile::readPathOf(const char* name) const {
    const QString program = programPathOf(name);
    const QString user = userPathOf(name);
    const bool userExists = Exists(user);
    if (Exists(program) && (!userExists || QFileInfo(program).isWritable())) {
        return program;
    }
    return userExists ? user : QString();
}

bool SettingsFile::writeInFolders(const char* name,
                                  const std::function<bool(const QString& path)>& write) const {
    const QString program = programPathOf(name);
    if (write(program)) {
        return true;
    }
    const QString user = userPathOf(name);
    if (user.isEmpty()) {
        return false;
    }
    QDir().mkpath(m_userFolder);
    return write(user);
}

QByteArray SettingsFile::readBeside(const char* name, qint64 maxBytes) const {
    const QString path = readPathOf(name);
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.read(maxBytes) : QByteArray();
}

bool SettingsFile::writeBeside(const char* name, const QByteArray& bytes) const {
    QString error;
    return writeInFolders(name, [&](const QString& path) { return WriteWhole(path, bytes, error); });
}

QString SettingsFile::keptPath() const {
    if (const QString path = readPathOf(kFileName); !path.isEmpty()) {
        return path;
    }
    QTemporaryFile probe(QDir(m_programFolder).filePath(QStringLiteral("Corvalen-XXXXXX.tmp")));
    const QString user = userPathOf(kFileName);
    return probe.open() || user.isEmpty() ? programPathOf(kFileName) : user;
}

std::optional<StoredSettings> SettingsFile::read() const {
    const QString path = readPathOf(kFileName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Of a bigger file (or a device that never ends) only the start is read.
    constexpr qint64 kLongestFile = 64 * 1024;
    return Decode(file.read(kLongestFile));
}

SettingsFile::WriteOutcome SettingsFile::write(const StoredSettings& settings) const {
    WriteOutcome outcome;
    const QByteArray bytes = Encode(settings, outcome.replaced);
    // The outcome names the last path tried.
    outcome.ok = writeInFolders(kFileName, [&](const QString& path) {
        outcome.path = path;
        outcome.error.clear();
        return WriteWhole(path, bytes, outcome.error);
    });
    return outcome;
}

std::optional<WindowLayout> SettingsFile::readWindowLayout() const {
    const QString path = readPathOf(kWindowFileName);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const QSettings file(path, QSettings::IniFormat);
    WindowLayout layout;
    layout.geometry = file.value(QStringLiteral("window/geometry")).toByteArray();
    if (layout.geometry.isEmpty()) {
        return std::nullopt;
    }
    const QStringList widths = file.value(QStringLiteral("grid/columnWidths"))
                                   .toString()
                                   .split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& text : widths.mid(0, kMostColumns)) {
        bool ok = false;
        const int width = text.trimmed().toInt(&ok);
        layout.columnWidths << (ok && width > 0 && width < 10000 ? width : 0);
    }
    const QString unit = file.value(QStringLiteral("grid/frequencyUnit")).toString();
    for (const FrequencyUnit known : {FrequencyUnit::kHz, FrequencyUnit::MHz}) {
        if (unit == UnitName(known)) {
            layout.frequencyUnit = known;
        }
    }
    return layout;
}

bool SettingsFile::writeWindowLayout(const WindowLayout& layout) const {
    return writeInFolders(kWindowFileName,
                          [&](const QString& path) { return WriteLayout(path, layout); });
}

}  // namespace corvalen
