#pragma once

#include "config/ConfigDocument.h"

#include <optional>

namespace kor {

// The two frame-buffer pairs of the general settings: the pre-alarm buffer (frames per second
// times seconds) may hold at most 10 units, both buffers together at most 20.
struct BufferValues
{
    int Frames = 0;   // FS
    int Seconds = 0;  // FTM
    int BFrames = 0;  // FSB
    int BSeconds = 0; // FTMB

    static BufferValues From(const GeneralSettings& general);
};

enum class BufferField
{
    Frames,
    Seconds,
    BFrames,
    BSeconds
};

inline constexpr int kMaxPreAlarmUnits = 10;
inline constexpr int kMaxBufferUnits = 20;

// The spinners' ranges: frames 1..4, seconds 1..10.
int BufferMinimum(BufferField field);
int BufferMaximum(BufferField field);

bool BufferCheckPasses(const BufferValues& values);

// A spinner of the field changed to proposed while the others hold their values: the check runs,
// and while it fails the spinner steps down by one and it runs again. The result is the value the
// spinner settles on, or nothing when no value down to the spinner's minimum passes (the
// document then keeps its previous value).
std::optional<int> SettleBufferValue(const BufferValues& others, BufferField field, int proposed);

// Stores a value into the document's field.
void StoreBufferValue(GeneralSettings& general, BufferField field, int value);
int BufferValue(const BufferValues& values, BufferField field);

} // namespace kor
