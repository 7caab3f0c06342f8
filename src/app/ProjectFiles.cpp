#include "app/ProjectFiles.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "config/ConfigFiles.h"

#include <QFileInfo>

#include <cstdio>

namespace kor {

const QString& ProjectFiles::Filter()
{
    static const QString filter = QStringLiteral("KMA (*.kma);;Todos (*.*)");
    return filter;
}

ProjectFiles::ProjectFiles(AppSession& session, std::function<QString()> caption)
    : m_session(session), m_caption(std::move(caption))
{}

QString ProjectFiles::WithProjectExtension(const QString& path)
{
    const QFileInfo file(path);
    if (file.fileName().isEmpty() || !file.suffix().isEmpty())
        return path;
    return path + (path.endsWith(u'.') ? QStringLiteral("kma") : QStringLiteral(".kma"));
}

QString ProjectFiles::ProposedFileName(const QString& cameraName)
{
    QString name = cameraName.trimmed();
    for (QChar& c : name) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    return name.isEmpty() ? QString() : name + QStringLiteral(".kma");
}

QString ProjectFiles::ChooseProjectFile(bool open)
{
    UserDialogs& dialogs = m_session.Dialogs();
    QString initial = QString::fromStdString(m_session.Document().CurrentFileName);
    if (open)
        return dialogs.ChooseOpenFile(Filter(), initial);
    if (initial.isEmpty())
        initial = ProposedFileName(m_session.CameraDisplayName());
    for (;;) {
        const QString chosen = dialogs.ChooseSaveFile(Filter(), initial);
        const QString path = chosen.isEmpty() ? chosen : WithProjectExtension(chosen);
        if (path.isEmpty() || !QFileInfo::exists(path))
            return path;
        const QString question = LangText(821) + u' ' + path + u' ' + u'?';
        switch (dialogs.Ask(MessageIcon::Question, m_caption(), question, true)) {
        case Answer::Yes:
            return path;
        case Answer::No:
            continue;
        case Answer::Cancel:
            return {};
        }
    }
}

bool ProjectFiles::KeepOrDiscardChanges()
{
    if (m_session.Document().Saved)
        return true;
    switch (m_session.Dialogs().Ask(MessageIcon::Question, m_caption(), LangText(180), true)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // Going on after a cancelled or failed save would throw the changes away.
    return SaveProject();
}

bool ProjectFiles::NewConfiguration()
{
    if (!KeepOrDiscardChanges())
        return false;
    ConfigDocument& doc = m_session.Document();
    doc.CurrentFileName.clear();
    doc.ResetConfig();
    m_session.History().Restart();
    return true;
}

bool ProjectFiles::OpenProject()
{
    // Opening replaces the document as much as a new one does, so unsaved changes are asked
    // about here too.
    if (!KeepOrDiscardChanges())
        return false;
    const QString path = ChooseProjectFile(true);
    if (path.isEmpty())
        return false;
    ConfigDocument& doc = m_session.Document();
    doc.ResetConfig();
    if (const Status loaded = LoadConfig(doc, path.toStdString(), false); loaded.failed()) {
        std::fprintf(stderr, "kormanager: %s: %s\n", qPrintable(path), loaded.reason().c_str());
        m_session.Dialogs().Message(MessageIcon::Critical, m_caption(), LangText(181));
    } else {
        // The document now equals the file, whatever the loading of its actions did to the flag.
        doc.Saved = true;
    }
    m_session.History().Restart();
    return true;
}

bool ProjectFiles::SaveProject()
{
    const QString path = ChooseProjectFile(false);
    if (path.isEmpty())
        return false;
    ConfigDocument& doc = m_session.Document();
    if (const Status saved = SaveProjectFile(doc, path); saved.failed()) {
        std::fprintf(stderr, "kormanager: %s: %s\n", qPrintable(path), saved.reason().c_str());
        m_session.Dialogs().Message(MessageIcon::Critical, m_caption(), LangText(191));
        return false;
    }
    doc.CurrentFileName = path.toStdString();
    m_session.History().MarkSaved();
    return true;
}

} // namespace kor
