#pragma once

// The bad inputs and bad save targets that both the converter's and the editor's tests run
// through, so the two front ends are held to the same table (docs/bad-input.md lists it).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cerrno>
#include <functional>
#include <vector>

#ifdef _WIN32
#include <QFileDevice>
#include <QFileInfo>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace badinput {

inline const QByteArray kHeader =
    "Number,Frequency,Bandwidth,IF Shift,reserved,reserved,reserved,reserved,reserved,Groups,"
    "Hotkey,Lockout,Priority,Level Squelch,Secondary squelch type,Secondary squelch value,Mode,"
    "Callsign,Comments\r\n";

// One good channel line (19 fields) with `text` in field `column`.
inline QByteArray ChannelLine(int column = -1, const QByteArray& text = {}) {
    QList<QByteArray> fields =
        QByteArray("1,7000000,2400,-1500,,,,,,3,0,0,0,-100,0,0,USB,CALL,Note").split(',');
    if (column >= 0) {
        fields[column] = text;
    }
    return fields.join(',') + "\r\n";
}

struct Input {
    QString name;
    // Puts the input into `folder` and returns its path (or a path that is no readable file).
    std::function<QString(const QString& folder)> make;
    bool refused;  // nothing is read: the converter exits 1, the editor keeps its table
    // What the reports must say: the converter's stderr, or the editor's status line with its
    // details after the import and after a .g3m save ("@" stands for the input's path; a text
    // starting with "!" must not be said).
    QStringList says;
    QString skipAsRoot;  // why the case means nothing to root, who reads any file
};

inline QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

inline std::function<QString(const QString&)> Bytes(QByteArray bytes) {
    return [bytes](const QString& folder) { return WriteFile(folder + "/in.csv", bytes); };
}

inline std::vector<Input> Inputs() {
    std::vector<Input> inputs;
    const auto add = [&](QString name, std::function<QString(const QString&)> make, bool refused,
                         QStringList says) {
        inputs.push_back({std::move(name), std::move(make), refused, std::move(says), {}});
    };

    add("empty file", Bytes({}), true, {"no channels in @"});
    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator random(20261206);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    add("random bytes", Bytes(noise), true, {"Cannot read \"@\": line ", "holds a NUL byte"});
    add("NUL byte in line 3",
        Bytes(kHeader + ChannelLine() +
              QByteArray("2,7000000,24\0"
                         "00\r\n",
                         17)),
        true, {"Cannot read \"@\": line 3 holds a NUL byte"});
    add("text saved as UTF-16", Bytes(QByteArray("\xFF\xFEN\0u\0m\0", 8)), true,
        {"line 1 holds a NUL byte (byte 4)", "UTF-16"});
    add("50 MB single line",
        [](const QString& folder) {
            QByteArray line = ChannelLine().chopped(6);  // without "Note\r\n"
            line += QByteArray(50 * 1024 * 1024 - line.size(), 'x');
            return WriteFile(folder + "/in.csv", line);
        },
        false, {"row 1: Comments \"xxxxxxxxxx", "characters) is longer than 31 characters"});
    add("unterminated quote", Bytes(kHeader + ChannelLine(17, "\"CALL,Note\r\n")), false,
        {"line 2: a quoted field is not closed before the end of the file"});
    QByteArray wide = ChannelLine().chopped(2);
    for (int k = 19; k < 1000; ++k) {
        wide += ",x";
    }
    add("1,000 fields on a line", Bytes(kHeader + wide + "\r\n"), false,
        {"line 2: 1000 fields where 19 were expected; fields after the 19th dropped"});
#ifndef _WIN32
    // The file system's own refusals, in the words of POSIX systems.
    add("a folder", [](const QString& folder) { return folder; }, true,
        {"Cannot read \"@\": Is a directory"});
    add("missing file", [](const QString& folder) { return folder + "/missing.csv"; }, true,
        {"Cannot open \"@\": No such file or directory"});
    add("unreadable file",
        [](const QString& folder) {
            const QString path = WriteFile(folder + "/in.csv", kHeader + ChannelLine());
            ::chmod(QFile::encodeName(path).constData(), 0);
            return path;
        },
        true, {"Cannot open \"@\": Permission denied"});
    inputs.back().skipAsRoot = "root reads a file whatever its permissions";
    add("file whose reading fails", [](const QString&) { return QStringLiteral("/proc/self/mem"); },
        true, {"Cannot read \"@\": Input/output error"});
    add("a device that never ends", [](const QString&) { return QStringLiteral("/dev/zero"); },
        true, {"Cannot read \"@\": it gives more than the 67,108,864 bytes"});
#endif
    add("Number above 65535", Bytes(kHeader + ChannelLine(0, "65536")), false,
        {"row 1: Number \"65536\" is not a channel number from 1 to 65535; row not written"});
    add("callsign of 10,000 characters", Bytes(kHeader + ChannelLine(17, QByteArray(10000, 'K'))),
        false, {"row 1: Callsign \"" + QString(40, 'K') + "...\" (10000 characters) is longer"});
    add("characters outside Windows-1252 (a UTF-8 file)",
        Bytes(kHeader + ChannelLine(17, "\xCE\xA9\xF0\x9F\x93\xBB")), false,
        {"line 1: the file is UTF-8 text, not Windows-1252; read as UTF-8",
         "row 1: Callsign \"\u03A9\U0001F4FB\" has characters a .g3m file cannot hold; "
         "written as \"??\""});

    // Every column the .g3m writer reads as a number: text that is no number is reported by row
    // and column; a fraction that the record field cuts or rounds gets a notice saying to what,
    // and a negative value where the field takes one is not reported. The core's tests check
    // every message; these check that both front ends pass them on.
    const std::pair<int, QString> numeric[] = {
        {0, "Number"}, {1, "Frequency"}, {2, "Bandwidth"}, {3, "IF Shift"},
        {9, "Groups"}, {10, "Hotkey"},   {11, "Lockout"},  {13, "Level Squelch"}};
    for (const auto& entry : numeric) {
        // Named apart: clang 14 lets no lambda capture a structured binding.
        const int column = entry.first;
        const QString& name = entry.second;
        const auto line = [column](const char* value) {
            return Bytes(kHeader + ChannelLine(column, value));
        };
        add(name + " abc", line("abc"), false, {"row 1: " + name + " \"abc\""});
        if (name == "Frequency" || name == "Bandwidth" || name == "Groups") {
            add(name + " 2.5", line("2.5"), false,
                {"row 1: " + name + " ", "2.5", "is not a whole"});
        } else if (name == "IF Shift" || name == "Level Squelch") {
            add(name + " -5", line("-5"), false, {"!row 1: " + name + " \"-5\""});
        }
    }
    return inputs;
}

// Places a save cannot go to. The old file (where there is one) must keep every byte, and
// nothing else may be left in its folder.
struct Target {
    QString name;
    QString path;     // under the test's folder; "EXT" stands for the file type saved
    bool old = true;  // an old file is there first
    enum Lock { None, File, Folder } readOnly = None;
    int writeError = 0;  // the disk's answer to every write after the first 10 bytes
    QString says;        // what the report must say besides the path
    QString linkTo;      // the path is a link to this
};

// The rows of a bad-input test: one per input, by name.
inline void AddInputRows() {
    QTest::addColumn<int>("index");
    const std::vector<Input> inputs = Inputs();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        QTest::newRow(qPrintable(inputs[i].name)) << int(i);
    }
}

inline const QByteArray kOldBytes = "old bytes\r\n";

// Whether the tests run as root, who reads and writes any file whatever its permissions.
inline bool RunningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

// The targets a save must refuse. Windows has no devices to link to, no read-only folders and
// no injected write errors, so there only the first two, a missing folder said in its own words.
inline std::vector<Target> Targets() {
    std::vector<Target> targets = {
        {"folder that does not exist",
         "no such folder/out.EXT",
         false,
         Target::None,
         0,
         "No such file or directory",
         {}},
        {"read-only file", "old.EXT", true, Target::File, 0, "the file is read-only", {}},
        {"read-only folder", "locked/old.EXT", true, Target::Folder, 0, "", {}},
        {"full disk", "old.EXT", true, Target::None, ENOSPC, "No space left on device", {}},
        {"a device", "device.EXT", false, Target::None, 0, "no regular file", "/dev/full"},
    };
#ifdef _WIN32
    targets.resize(2);
    targets[0].says.clear();
#endif
    return targets;
}

// The rows of a failed-save test: every target, saved as .csv and as .g3m.
inline void AddFailedSaveRows() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("type");
    const std::vector<Target> targets = Targets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (const char* type : {"csv", "g3m"}) {
            QTest::addRow("%s, .%s", qPrintable(targets[i].name), type) << int(i) << type;
        }
    }
}

// Makes `path` (a file or a folder) read-only for as long as it lives. Root ignores permission
// bits, so for root the file system's immutable flag stands in; `ok` is false where neither
// works.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path) : m_path(path) {
#ifdef _WIN32
        // Windows: the read-only attribute, which a folder does not have.
        ok = !QFileInfo(path).isDir() &&
             QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
#else
        struct stat info {};
        ::stat(Native().c_str(), &info);
        m_mode = info.st_mode & 07777;
        ::chmod(Native().c_str(), m_mode & ~0222);
        ok = ::geteuid() != 0 || SetImmutable(true);
#endif
    }
    ~ReadOnly() {
#ifdef _WIN32
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadUser | QFileDevice::WriteUser);
#else
        SetImmutable(false);
        ::chmod(Native().c_str(), m_mode);
#endif
    }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;
    bool ok = false;

private:
    QString m_path;
#ifndef _WIN32
    std::string Native() const {
        return QFile::encodeName(m_path).toStdString();
    }
    bool SetImmutable(bool on) {
        const int fd = ::open(Native().c_str(), O_RDONLY | O_NONBLOCK);
        int flags = 0;
        bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return done;
    }
    mode_t m_mode = 0;
#endif
};

}  // namespace badinput
