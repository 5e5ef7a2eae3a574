#include "app/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace corvalen {

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
    if (!settings.fileName.isEmpty()) {
        // A full path left by an earlier choice also opens the dialog in that file's folder.
        dialog.selectFile(settings.fileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

QString WithFilterExtension(const QString& path, const QString& filter) {
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
    if (extensions.isEmpty()) {
        return path;
    }
    const QString name = QFileInfo(path).fileName();
    for (const QString& known :
         extensions +
             QStringList{QStringLiteral(".csv"), QStringLiteral(".g3m"), QStringLiteral(".15m")}) {
        if (name.endsWith(known, Qt::CaseInsensitive) && name.size() > known.size()) {
            return path;
        }
    }
    return path + extensions.first();
}

std::optional<QString> SharedFileDialog::show() {
    std::optional<QString> chosen = m_presenter.show(m_settings);
    const bool saves =
        m_settings.form == FileDialogSettings::Form::Save || !m_settings.acceptLabel.isEmpty();
    if (chosen && saves) {
        chosen = WithFilterExtension(*chosen, m_settings.filter);
    }
    if (chosen) {
        m_settings.fileName = *chosen;
    }
    return chosen;
}

std::optional<QString> SharedFileDialog::show(const QString& initialFolder, const QString& filter,
                                              const QString& title, FileDialogSettings::Form form,
                                              const QString& acceptLabel) {
    m_settings.acceptLabel = acceptLabel;
    m_settings.initialFolder = initialFolder;
    m_settings.filter = filter;
    m_settings.title = title;
    m_settings.form = form;
    return show();
}

}  // namespace corvalen
