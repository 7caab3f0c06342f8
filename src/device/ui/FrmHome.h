#pragma once

#include "device/CompanionFiles.h"
#include "device/HomeForm.h"
#include "device/PresetList.h"
#include "outside/companion/CameraRecord.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kor {

// The home-position screen: the entries of HomeEntries in LvwPrepos, Check1 (return home after an
// alarm), BTL1 (cancel), CmdNext (continue) and the status picture PicStatus. Result() holds the
// choice once the screen has closed.
class FrmHome : public QDialog
{
    Q_OBJECT

public:
    FrmHome(std::vector<CameraPosition> positions, const std::vector<NamedPreset>& presets,
            QWidget* parent = nullptr);

    // Continue (ContinueHome).
    void Continue();
    // BTL1 and the close box: the screen closes without a choice.
    void reject() override;

    const HomeChoice& Result() const { return m_result; }

private:
    std::vector<CameraPosition> m_positions;
    std::vector<HomeEntry> m_entries;
    QListWidget* m_lvwPrepos = nullptr;
    QCheckBox* m_check1 = nullptr;
    QLabel* m_picStatus = nullptr;
    QPushButton* m_btl1 = nullptr;
    QPushButton* m_cmdNext = nullptr;
    HomeChoice m_result;
};

} // namespace kor
