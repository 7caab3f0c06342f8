#pragma once

#include "outside/companion/CameraRecord.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kor {

class AppSession;

// Shown at start-up when the camera of the start values cannot be worked with: the cameras of the
// companion database, to pick one, add one or edit or remove one. Accepted with a camera chosen.
class CameraChooser : public QDialog
{
    Q_OBJECT

public:
    // Edits a camera record (isNew: a new one); the edited record, or nothing when cancelled.
    using RecordEditor = std::function<std::optional<CameraRecord>(const CameraRecord& start, bool isNew)>;

    CameraChooser(AppSession& session, const QString& why, QWidget* parent = nullptr);

    // The default opens a CameraEditor; tests give their own.
    void SetRecordEditor(RecordEditor editor) { m_editor = std::move(editor); }

    // Reads the cameras again; keeps the selection on the identifier when it is still there.
    void Reload(std::optional<std::int16_t> select = std::nullopt);
    std::optional<std::int16_t> SelectedId() const;
    // The camera accepted with.
    std::int16_t ChosenId() const { return m_chosen; }

    void AddCamera();
    void EditCamera();
    void RemoveCamera();
    void accept() override;

private:
    void UpdateButtons();
    bool Store(const CameraRecord& record, bool isNew);

    AppSession& m_session;
    RecordEditor m_editor;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_ok = nullptr;
    std::vector<CameraRecord> m_cameras;
    std::int16_t m_chosen = 0;
};

} // namespace kor
