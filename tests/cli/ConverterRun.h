#pragma once

// Runs the converter in-process on its arguments and keeps what it said.

#include <QFile>
#include <QStringList>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Converter.h"

namespace testing {

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

inline Run RunConverterWith(const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = corvalen::RunConverter(views, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The same for arguments held as Qt texts, each "@" in them standing for `folder` when given.
inline Run RunConverterWith(const QStringList& args, const QString& folder = {}) {
    std::vector<std::string> texts;
    for (QString arg : args) {
        texts.push_back(
            QFile::encodeName(folder.isEmpty() ? arg : arg.replace("@", folder)).toStdString());
    }
    return RunConverterWith(texts);
}

}  // namespace testing
