#pragma once

#include "rules/CatalogueForm.h"

#include <QWidget>

#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kor {

class AppSession;

// The event source catalogue, child screen 2 of the main window: the sources of the configuration
// that have rules (lvwCargaEventos), and the kinds (cmbNameSens) and sources (cmbListSens) of the
// camera that can be added. Motion windows and the other sources are found by asking the camera
// (on the worker thread, with the notice window). Adding or removing a source that needs a device
// task sets TaskListDirty; removing a source empties its rule. A double click opens the rule list
// of the source. The hint line below the list (lblHint) says so, and names the sources that have
// no actions yet (shown in italics): the list is rebuilt from the rules when the screen opens
// again, so they are not kept. The rules live in CatalogueForm; this screen binds the widgets to it.
class frmEventos : public QWidget
{
    Q_OBJECT

public:
    explicit frmEventos(AppSession& session, QWidget* parent = nullptr);

    // Fills cmbListSens with the sources of a kind (asks the device for SDMC and OTHC).
    void FillSources(const std::string& code);
    // Adds the source chosen in cmbListSens to the list (imgBajar).
    void AddSource();
    // Removes the selected source and empties its rule (imgDel).
    void RemoveSource();
    // Opens the rule list of the selected source modally (double click).
    void OpenRuleList();

private:
    void FillSourceKinds();
    void FillConfiguredSources();
    void FillSourceList();
    void AskDevice(const std::string& code);
    void SetBusy(bool busy);
    void ShowHint();

    AppSession& m_session;
    CatalogueForm m_form;
    QFrame* m_picture1 = nullptr;
    QComboBox* m_cmbNameSens = nullptr;
    QComboBox* m_cmbListSens = nullptr;
    QToolButton* m_imgBajar = nullptr;
    QToolButton* m_imgDel = nullptr;
    QTreeWidget* m_lvwCargaEventos = nullptr;
    QLabel* m_lblHint = nullptr;
};

} // namespace kor
