#pragma once

#include <QFile>
#include <QString>
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

// Writes `bytes` as the whole file at `path`.
inline void Write(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
}

}  // namespace corvalen::testing
