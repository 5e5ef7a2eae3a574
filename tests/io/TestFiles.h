#pragma once

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>
#include <string>

#include "io/Result.h"
#include "io/SafeFile.h"

// Reading and writing whole files in the tests of saves.

namespace corvalen::testing {

// The file's bytes, or "(unreadable)".
inline std::string Read(const std::string& path) {
    const Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, std::size_t{1} << 30);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(unreadable)";
}

// Every name in `folder` and the folders below it, links and hidden files too, sorted.
inline QStringList Everything(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        names << it.next().mid(folder.size() + 1);
    }
    names.sort();
    return names;
}

// Writes `bytes` as the whole file at `path`.
inline void Write(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
}

}  // namespace corvalen::testing
