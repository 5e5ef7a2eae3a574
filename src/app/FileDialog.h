#pragma once

#include <QHash>
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
    // The filter entry selected when the dialog opens (0 the first); after a choice, the one the
    // user chose.
    int filterIndex = 0;

    bool operator==(const FileDialogSettings&) const = default;
};

// Shows a file dialog and waits for the user. Returns the chosen full path, or nothing when the
// user cancelled. The program uses a QFileDialog; the tests answer from a script.
class FileDialogPresenter {
public:
    virtual ~FileDialogPresenter() = default;
    virtual std::optional<QString> show(const FileDialogSettings& settings) = 0;
    // After a choice: the filter entry the user chose it under (0 the first).
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

// The "Description|pattern|Description|pattern" filter as Qt's "Description (pattern);;..." list.
// A description that already names its pattern in parentheses is kept as it is.
QString QtNameFilter(const QString& filter);

// The name a save goes to: `path` with the extension of the filter's first pattern ("*.pdf")
// added when its file name has none of the filter's extensions. "list" becomes "list.pdf".
QString WithFilterExtension(const QString& path, const QString& filter);
// Whether the file name of `path` ends in one of the filter's extensions, in any case.
bool FitsFilter(const QString& path, const QString& filter);

// The one file dialog all file commands share. It keeps its settings between commands, but
// the file name only within one kind of file: each filter remembers the last name chosen under
// it, and a dialog never starts from a name another kind left (after "Winradio Folder" chose
// the receiver's program, opening a CSV file does not start from it). After a choice its file
// name holds the chosen path and its filter index the entry it was chosen under.
class SharedFileDialog {
public:
    explicit SharedFileDialog(FileDialogPresenter& presenter) : m_presenter(presenter) {}

    FileDialogSettings& settings() { return m_settings; }
    const FileDialogSettings& settings() const { return m_settings; }

    // Sets the settings every command gives and shows the dialog, with the filter entry
    // `filterIndex` selected. Its file name is `proposedName` when given, else the last name
    // chosen under this filter when it fits the filter, else empty. On a choice the file name
    // becomes the chosen path, and the filter index the entry it was chosen under.
    std::optional<QString> show(const QString& initialFolder, const QString& filter,
                                const QString& title, FileDialogSettings::Form form,
                                const QString& acceptLabel = QString(),
                                const QString& proposedName = QString(), int filterIndex = 0);
    // The name the last choice stands for, when the command changed it (an extension added):
    // it becomes the file name and the last name chosen under the filter.
    void remember(const QString& path);

private:
    FileDialogPresenter& m_presenter;
    FileDialogSettings m_settings;
    QHash<QString, QString> m_lastNames;  // by filter
};

}  // namespace corvalen
