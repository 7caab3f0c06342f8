#include "app/shell/ScreenshotTour.h"

#include "app/AppPaths.h"
#include "app/AppSession.h"
#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/ScriptedDialogs.h"
#include "app/StartCamera.h"
#include "app/ui/FrmDoc.h"
#include "app/ui/ScreenRegistry.h"
#include "config/ConfigFiles.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <set>

namespace kor {

namespace {

const QSize kChildScreenSize(760, 540);

// Lets layouts, deferred deletes and painting settle.
void Settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 150) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
}

bool Picture(const QString& name, QWidget* widget, QSize size, const QString& path)
{
    if (!widget) {
        std::fprintf(stderr, "screenshot-tour: %s: the screen could not be built\n", qPrintable(name));
        return false;
    }
    std::unique_ptr<QWidget> owned(widget);
    if (size.isValid())
        widget->resize(size);
    else
        widget->adjustSize();
    widget->show();
    // The report is laid out on a worker; the picture shows it once it is there.
    if (auto* report = qobject_cast<FrmDoc*>(widget))
        report->WaitUntilShown();
    Settle();
    const QPixmap picture = widget->grab();
    widget->close();
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "screenshot-tour: %s: cannot write %s\n", qPrintable(name), qPrintable(path));
        return false;
    }
    std::fprintf(stderr, "screenshot-tour: %s\n", qPrintable(path));
    return true;
}

bool Wanted(const TourOptions& options, const QString& name)
{
    return options.Only.isEmpty() || options.Only.contains(name);
}

} // namespace

int RunScreenshotTour(const ScreenRegistry& screens, const TourOptions& options)
{
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "screenshot-tour: no temporary folder\n");
        return 1;
    }
    ScriptedDialogs dialogs;
    AppSession session(dialogs);
    session.Services().WorkFolder = work.path();
    if (const Status opened = OpenClientDatabase(session.Connection(),
                                                 QDir(work.path()).filePath(QStringLiteral("orgend.ddd")));
        opened.failed()) {
        std::fprintf(stderr, "screenshot-tour: companion database: %s\n", opened.reason().c_str());
        return 1;
    }
    std::string error;
    if (LoadStartCamera(session, 0, &error) != CameraProblem::None)
        std::fprintf(stderr, "screenshot-tour: demo camera: %s\n", error.c_str());

    const QString project =
        options.Project.isEmpty() ? AppPaths::Resource(QStringLiteral("samples/demo.kma")) : options.Project;
    ConfigDocument& doc = session.Document();
    doc.InitialiseForStartUp(1);
    doc.ResetConfig();
    if (const Status loaded = LoadConfig(doc, project.toStdString(), false); loaded.failed())
        std::fprintf(stderr, "screenshot-tour: %s: %s\n", qPrintable(project), loaded.reason().c_str());
    const ConfigDocument sample = doc;

    // No pointer hovering over a tool button in the pictures.
    QCursor::setPos(-100, -100);
    int failures = 0;
    for (const QString& language : options.Languages) {
        if (const Status loaded = LoadLanguageByCode(language); loaded.failed()) {
            std::fprintf(stderr, "screenshot-tour: %s\n", loaded.reason().c_str());
            ++failures;
            continue;
        }
        const QDir folder(QDir(options.OutDir).filePath(language));
        QDir().mkpath(folder.path());
        std::set<QString> pictured;
        auto take = [&](const QString& name, const ScreenFactory& create, QSize size) {
            if (!pictured.insert(name).second || !Wanted(options, name))
                return;
            doc = sample; // every screen sees the sample, whatever the one before changed
            if (!Picture(name, create(session, nullptr), size,
                         folder.filePath(name + QStringLiteral(".png"))))
                ++failures;
        };
        for (const ScreenRegistry::TourScreen& screen : screens.TourScreens())
            take(screen.Name, screen.Create, screen.Size);
        for (const int number : screens.ChildNumbers()) {
            const ScreenRegistry::ChildScreen* child = screens.Child(number);
            take(child->ClassName, child->Create, kChildScreenSize);
        }
    }
    FreeLanguage();
    return failures;
}

} // namespace kor
