#pragma once

#include "config/Result.h"

#include "outside/companion/ModelRecord.h"

#include <cstdint>
#include <string>

namespace kor {

class ClientConnection;

// The profile of the camera's model (one per program): given the model name and brand it loads
// itself from the companion database and is read afterwards. Texts are Windows-1252 bytes.
// The bits of a model's capability flags: most enable one action type in the rule list.
enum class Capability : std::uint32_t
{
    Output = 1,
    Recording = 2,
    CallThroughPc = 4, // calls go through the PC; the call action is always available
    Presets = 8,       // positioning presets: camera moves and the home position
    Notify = 16,
    RemoteAlarm = 32,
    User = 64,
    Mail = 128,
    Ftp = 256,
};

// Whether capability flags as stored hold a capability.
inline bool HasCapability(std::uint32_t flags, Capability capability)
{
    return (flags & static_cast<std::uint32_t>(capability)) != 0;
}

class ModelProfile
{
public:
    // Fails without a connection, when that brand has no such model or the profile is damaged; the
    // previous profile is then gone.
    Status Load(const ClientConnection& connection, const std::string& modelName, const std::string& brand);
    bool IsLoaded() const { return m_loaded; }

    const std::string& ModelName() const { return m_record.ModelName; }
    const std::string& Brand() const { return m_record.Brand; }
    std::int16_t ChannelCount() const { return m_record.ChannelCount; }
    const std::string& ModelFolderName() const { return m_record.ModelFolderName; }
    bool PerFirmwareFolder() const { return m_record.PerFirmwareFolder; }
    bool InputOutput() const { return m_record.InputOutput; }
    std::uint32_t CapabilityFlags() const { return m_record.CapabilityFlags; }
    bool HasCapability(Capability capability) const
    {
        return kor::HasCapability(m_record.CapabilityFlags, capability);
    }
    std::int16_t CameraEventCount() const { return m_record.CameraEventCount; }
    bool InvertedOutput() const { return m_record.InvertedOutput; }
    std::int32_t PulseTime() const { return m_record.PulseTime; }
    bool CgiBinLayout() const { return m_record.CgiBinLayout; }
    const std::string& ProgramList() const { return m_record.ProgramList; }
    const ModelRecord& Record() const { return m_record; }

private:
    ModelRecord m_record;
    bool m_loaded = false;
};

} // namespace kor
