#include "app/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace corvalen {
namespace {

// The "Description|pattern|…" filter as Qt's "Description (pattern);;…" list.
QString QtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (pattern.isEmpty() || description.contains(QLatin1Char('('))) {
            filters << description;
        } else {
            filters << QStringLiteral("%1 (%2)").arg(
                description, QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')));
        }
    }
    return filters.join(QStringLiteral(";;"));
}

// The extensions of the filter's patterns, with their dot: ".csv" of "*.csv".
QStringList FilterExtensions(const QString& filter) {
    QStringList extensions;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        for (const QString& pattern : parts[i].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern.trimmed().startsWith(QLatin1String("*.")) && !pattern.contains('?') &&
                pattern.count(QLatin1Char('*')) == 1) {
                extensions << pattern.trimmed().mid(1);
            }
        }
    }
    return extensions;
}

// Whether the file name of `path` ends in one of the filter's extensions, in any case.
bool FitsFilter(const QString& path, const QString& filter) {
    const QString name = QFileInfo(path).fileName();
    return std::ranges::any_of(FilterExtensions(filter), [&](const QString& extension) {
        return name.endsWith(extension, Qt::CaseInsensitive) && name.size() > extension.size();
    });
}

}  // namespace

std::optional<QString> QtFileDialogPresenter::show(const FileDialogSettings& settings) {
    QFileDialog dialog(m_parent, settings.title, settings.initialFolder,
                       QtNameFilter(settings.filter));
    const bool save = settings.form == FileDialogSettings::Form::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open form also takes the name of a file that does not exist yet: "Save .g3m file"
    // asks through it and creates the file.
    dialog.setFileMode(QFileDialog::AnyFile);
    // "Save .csv file" asks about an existing file itself, with its own prompt.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!settings.acceptLabel.isEmpty()) {
        dialog.setLabelText(QFileDialog::Accept, settings.acceptLabel);
    }
    const QStringList filters = QtNameFilter(settings.filter).split(QStringLiteral(";;"));
    if (settings.filterIndex > 0 && settings.filterIndex < filters.size()) {
        dialog.selectNameFilter(filters[settings.filterIndex]);
    }
    if (!settings.fileName.isEmpty()) {
        // A full path left by an earlier choice also opens the dialog in that file's folder.
        dialog.selectFile(settings.fileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    m_chosenFilter =
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

QString WithFilterExtension(const QString& path, const QString& filter) {
    const QStringList extensions = FilterExtensions(filter);
    return extensions.isEmpty() || FitsFilter(path, filter) ? path : path + extensions.first();
}

void SharedFileDialog::remember(const QString& path) {
    m_settings.fileName = path;
    m_lastNames.insert(m_settings.filter, path);
}

std::optional<QString> SharedFileDialog::show(const QString& initialFolder, const QString& filter,
                                              const QString& title, FileDialogSettings::Form form,
                                              const QString& acceptLabel,
                                              const QString& proposedName) {
    m_settings.acceptLabel = acceptLabel;
    m_settings.initialFolder = initialFolder;
    m_settings.filter = filter;
    m_settings.title = title;
    m_settings.form = form;
    m_settings.filterIndex = 0;
    const QString last = m_lastNames.value(filter);
    m_settings.fileName = !proposedName.isEmpty()    ? proposedName
                          : FitsFilter(last, filter) ? last
                                                     : QString();
    std::optional<QString> chosen = m_presenter.show(m_settings);
    if (chosen) {
        remember(*chosen);
        m_settings.filterIndex = m_presenter.chosenFilter();
    }
    return chosen;
}

}  // namespace corvalen
