#pragma once

#include <string_view>

namespace kor::devicesim {

// What kor-devicesim tells the program that started it: once a camera listens, a line
// "kor-devicesim ready on http://ADDRESS:PORT ftp PORT|off" on its standard output; and when another
// program holds the address, this exit status (its FTP server's too), so the starter tries the next.
constexpr std::string_view kReadyLine = "kor-devicesim ready on http://";
constexpr int kExitAddressInUse = 3;

} // namespace kor::devicesim
