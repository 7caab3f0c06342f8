#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace kor {

class AppSession;

// Builds a screen for the session, as a child of parent (nullptr: a top-level window).
using ScreenFactory = std::function<QWidget*(AppSession& session, QWidget* parent)>;

// The screens the program knows, filled once at start by RegisterAllScreens (src/app/shell):
//
// - child screens of the main window by number: 0 FrmAssist0, 1 FrmGen, 2 frmEventos, 3 FrmZelk,
//   4 FrmConnect, 5 FrmDoc, 6 FrmCameras. The main window embeds one at a time; a number without a registered
//   screen shows a placeholder. A child screen reads the document when it is created and saves or
//   discards its edits in its closeEvent (its unload handler): the window closes it before the
//   next one is created.
// - the screens of the screenshot tour (scripts/screenshot-tour): every child screen is pictured
//   by itself; other screens (dialogs, editors, the main window) are added with AddTourScreen.
//
// Each screen library offers a Register...Screens(ScreenRegistry&) function; adding a screen is
// one line there.
class ScreenRegistry
{
public:
    struct ChildScreen
    {
        QString ClassName;
        ScreenFactory Create;
    };

    // What a tour picture is taken of: a top-level widget, shown at Size (or its own size when
    // Size is invalid), grabbed once events have settled, then deleted.
    struct TourScreen
    {
        QString Name; // the picture's file name: the screen's class name
        ScreenFactory Create;
        QSize Size;
    };

    void AddChildScreen(int number, const QString& className, ScreenFactory create);
    // nullptr when no screen has that number.
    const ChildScreen* Child(int number) const;
    std::vector<int> ChildNumbers() const;

    void AddTourScreen(const QString& name, ScreenFactory create, QSize size = QSize());
    const std::vector<TourScreen>& TourScreens() const { return m_tour; }

private:
    std::map<int, ChildScreen> m_children;
    std::vector<TourScreen> m_tour;
};

} // namespace kor
