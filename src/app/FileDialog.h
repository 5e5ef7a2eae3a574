#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace corvalen {

// What the shared file dialog is set up with. Every setting keeps the value the last command
// gave it; a command that does not set one finds what the previous use left there.
struct FileDialogSettings {
    enum class Form { Open, Save };

    QString initialFolder;
    QString fileName;  // after a choice: the full path of the chosen file
    QString filter;    // "Description|pattern" pairs, e.g. "Memory files (*.csv)|*.csv"
    QString title;
    Form form = Form::Open;
    // The accept button's text; empty for the form's own ("Open" or "Save"). "Save .g3m file"
    // asks through the open form but saves, so its button says so.
    QString acceptLabel{};

    bool operator==(const FileDialogSettings&) const = default;
};

// Shows a file dialog and waits for the user. Returns the chosen full path, or nothing when the
// user cancelled. The program uses a QFileDialog; the tests answer from a script.
class FileDialogPresenter {
public:
    virtual ~FileDialogPresenter() = default;
    virtual std::optional<QString> show(const FileDialogSettings& settings) = 0;
};

class QtFileDialogPresenter : public FileDialogPresenter {
public:
    explicit QtFileDialogPresenter(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> show(const FileDialogSettings& settings) override;

private:
    QWidget* m_parent;
};

// The "Description|pattern|Description|pattern" filter as Qt's "Description (pattern);;..." list.
// A description that already names its pattern in parentheses is kept as it is.
QString QtNameFilter(const QString& filter);

// The name a save goes to: `path` with the extension of the filter's first pattern ("*.15m")
// added when its file name has none of the filter's extensions nor another of the editor's
// (.csv, .g3m, .15m, which the save itself checks). "list" becomes "list.15m".
QString WithFilterExtension(const QString& path, const QString& filter);

// The one file dialog all file commands share. It keeps its settings between commands, and
// after a choice its file name holds the chosen path.
class SharedFileDialog {
public:
    explicit SharedFileDialog(FileDialogPresenter& presenter) : m_presenter(presenter) {}

    FileDialogSettings& settings() { return m_settings; }
    const FileDialogSettings& settings() const { return m_settings; }

    // Shows the dialog as it is set up; on a choice the file name becomes the chosen path. A
    // save (the save form, or a form with its own accept button) adds the filter's extension.
    std::optional<QString> show();
    // Sets the four settings every command gives, keeps the file name the last use left, and
    // shows the dialog.
    std::optional<QString> show(const QString& initialFolder, const QString& filter,
                                const QString& title, FileDialogSettings::Form form,
                                const QString& acceptLabel = QString());

private:
    FileDialogPresenter& m_presenter;
    FileDialogSettings m_settings;
};

}  // namespace corvalen
