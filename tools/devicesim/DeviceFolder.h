#pragma once

#include "config/Result.h"

#include "SimOptions.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kor::devicesim {

// The camera's file system: a folder on the host. Paths are relative to it ("etc/inittab").
class DeviceFolder
{
public:
    explicit DeviceFolder(std::string root);

    // Gives an empty (or missing) folder the files of a fresh camera.
    Status SeedIfEmpty(const SimOptions& options);

    std::string Path(std::string_view relative) const;
    // Fails when the file does not exist or cannot be read.
    Result<std::string> Read(std::string_view relative) const;
    Status Write(std::string_view relative, std::string_view bytes);
    Status Append(std::string_view relative, std::string_view bytes);

    // The start-up table holds the application block and every program it starts is in
    // mnt/flash/bin with mode 755.
    bool ApplicationInstalled() const;

private:
    std::string m_root;
    mutable std::mutex m_mutex;
};

// The names of the programs in /mnt/flash/bin that the application block of a start-up table
// starts (the lines after the last "#v-sencamCLIENT" marker). Empty when there is no block.
std::vector<std::string> ApplicationPrograms(std::string_view inittab);

// The files a fresh camera has.
std::string SeedInittab();
std::string SeedBoaConf(const SimOptions& options);

// Writes through a temporary file in the same folder, creating missing folders.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace kor::devicesim
