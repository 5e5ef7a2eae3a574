#pragma once

#include <QHash>
#include <QString>
#include <optional>

class QWidget;

namespace corvalen {

// Every setting keeps the value the last command gave it.
struct FileDialogSettings {
    enum class Form { Open, Save };

    QString initialFolder;
    QString fileName;  // after a choice: the full path of the chosen file
    QString filter;    // "Description|pattern" pairs, e.g. "Memory files (*.csv)|*.csv"
    QString title;
    Form form = Form::Open;
    // Empty for the form's own; "Save .g3m file" asks through the open form but saves.
    QString acceptLabel{};
    // The filter entry selected when the dialog opens; after a choice, the one the user chose.
    int filterIndex = 0;

    bool operator==(const FileDialogSettings&) const = default;
};

// Shows a file dialog: the chosen full path, or nothing when the user cancelled. The program
// uses a QFileDialog; the tests answer from a script.
class FileDialogPresenter {
public:
    virtual ~FileDialogPresenter() = default;
    virtual std::optional<QString> show(const FileDialogSettings& settings) = 0;
    virtual int chosenFilter() const = 0;
};

class QtFileDialogPresenter : public FileDialogPresenter {
public:
    explicit QtFileDialogPresenter(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> show(const FileDialogSettings& settings) override;
    int chosenFilter() const override { return m_chosenFilter; }

private:
    QWidget* m_parent;
    int m_chosenFilter = 0;
};

// `path` with the extension of the filter's first pattern when it has none of the filter's.
QString WithFilterExtension(const QString& path, const QString& filter);

// The one file dialog all file commands share. It keeps its settings between commands, the file
// name only within one filter: a CSV file's open does not start from the receiver's program.
class SharedFileDialog {
public:
    explicit SharedFileDialog(FileDialogPresenter& presenter) : m_presenter(presenter) {}

    FileDialogSettings& settings() { return m_settings; }

    // Opens at the first filter entry and proposes `proposedName`, else the last name chosen
    // under this filter; a choice becomes the file name, and its filter entry the filter index.
    std::optional<QString> show(const QString& initialFolder, const QString& filter,
                                const QString& title, FileDialogSettings::Form form,
                                const QString& acceptLabel = QString(),
                                const QString& proposedName = QString());
    // The name the last choice stands for, when the command changed it (an extension added).
    void remember(const QString& path);

private:
    FileDialogPresenter& m_presenter;
    FileDialogSettings m_settings;
    QHash<QString, QString> m_lastNames;  // by filter
};

}  // namespace corvalen
