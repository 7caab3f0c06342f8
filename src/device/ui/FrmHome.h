#pragma once

#include "device/CompanionFiles.h"
#include "device/PresetList.h"
#include "outside/companion/CameraRecord.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kor {

// The home-position screen: the camera's stored positions (tagged with their number) and its
// named presets (tagged "P" or "PV" and the line of the preset list) in LvwPrepos, Check1 (return
// home after an alarm), BTL1 (cancel), CmdNext (continue) and the status picture PicStatus.
// Result() holds the choice once the screen has closed. An entry is told to be a preset by its
// tag, never by its text: a stored position named "Porch" stays a position.
class FrmHome : public QDialog
{
    Q_OBJECT

public:
    FrmHome(std::vector<CameraPosition> positions, const std::vector<NamedPreset>& presets,
            QWidget* parent = nullptr);

    // Continue: without a selection nothing happens unless the list is empty (then the screen
    // closes without a choice); with one the choice is taken and the screen closes.
    void Continue();
    // BTL1 and the close box: the screen closes without a choice.
    void reject() override;

    const HomeChoice& Result() const { return m_result; }

    // Whether an entry's tag marks a camera preset rather than a stored position (tagged with its
    // number).
    static bool IsPresetTag(const QString& tag);

private:
    std::vector<CameraPosition> m_positions;
    QListWidget* m_lvwPrepos = nullptr;
    QCheckBox* m_check1 = nullptr;
    QLabel* m_picStatus = nullptr;
    QPushButton* m_btl1 = nullptr;
    QPushButton* m_cmdNext = nullptr;
    HomeChoice m_result;
};

} // namespace kor
