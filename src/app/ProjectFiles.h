#pragma once

#include <QString>

#include <functional>

namespace kor {

class AppSession;

// The project-file side of the tool bar: new, open and save, with their questions, through the
// session's dialogs. Widget-free; the window reloads its screen when a command says the document
// was replaced.
class ProjectFiles
{
public:
    // The file dialog's filter, the first entry selected.
    static const QString& Filter();

    // caption gives the main window's caption, the title of the questions and messages.
    ProjectFiles(AppSession& session, std::function<QString()> caption);

    // A path chosen in the open or the save dialog, "" when cancelled. The save dialog starts at
    // the current file, or else proposes the camera's name; a name typed without an extension
    // gets ".kma". Saving over an existing file asks first (text 821, the name, "?"): No shows the
    // save dialog again, Cancel gives "".
    QString ChooseProjectFile(bool open);

    // The path with ".kma" added when its file name has no extension.
    static QString WithProjectExtension(const QString& path);
    // A project file name for a camera: its name with the characters file names cannot hold
    // replaced by "_", and ".kma"; "" for a camera without a name.
    static QString ProposedFileName(const QString& cameraName);

    // Before the document is replaced: when it holds unsaved changes, asks whether to save them
    // (text 180, yes/no/cancel). Yes saves first. Returns false when the command must stop:
    // cancelled, or the save did not happen (the changes would be lost otherwise).
    bool KeepOrDiscardChanges();

    // New configuration: returns true when the document was reset.
    bool NewConfiguration();
    // Open project file: returns true when the document was replaced (also when the file could
    // not be read completely: message 181, what was read stays).
    bool OpenProject();
    // Save project file: returns true when the file was written.
    bool SaveProject();

private:
    AppSession& m_session;
    std::function<QString()> m_caption;
};

} // namespace kor
