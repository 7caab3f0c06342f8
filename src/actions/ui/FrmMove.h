#pragma once

#include "actions/CameraMoveAction.h"
#include "actions/ui/ActionEditor.h"

#include <vector>

class QListWidget;

namespace kor {

// The camera move editor (type 3): one entry of LvwPrepos, either a preset of the camera (asked
// on the device worker when the camera is an AXIS with the preset flag) or a position stored with
// the camera record. The action carries the camera's address and credentials with it.
class FrmMove : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmMove(AppSession& session, QWidget* parent = nullptr);

    const std::vector<MoveEntry>& Entries() const { return m_entries; }
    // Whether the list was asked of the camera (true) or taken from the stored positions.
    bool FromCamera() const { return m_fromCamera; }

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;
    bool KeepsTypedDescription() const override { return true; }

private:
    void AskCameraPresets();
    void ListStoredPositions();
    void ShowEntries();
    MoveCamera Target();

    std::vector<MoveEntry> m_entries;
    bool m_fromCamera = false;
    QListWidget* m_lvwPrepos = nullptr;
};

} // namespace kor
