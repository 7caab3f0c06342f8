#include "DeviceFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace kor::devicesim {

namespace {

bool ContainsNoCase(std::string_view text, std::string_view word)
{
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

DeviceFolder::DeviceFolder(std::string root) : m_root(std::move(root)) {}

std::string DeviceFolder::Path(std::string_view relative) const
{
    return (fs::path(m_root) / fs::path(relative)).string();
}

Status DeviceFolder::SeedIfEmpty(const SimOptions& options)
{
    std::error_code ec;
    fs::create_directories(m_root, ec);
    if (ec) {
        return Status::Fail("cannot create " + m_root + ": " + ec.message());
    }
    const bool empty = fs::is_empty(m_root, ec);
    if (ec) {
        return Status::Fail("cannot read " + m_root + ": " + ec.message());
    }
    if (!empty) {
        return Status::Ok();
    }
    for (const char* folder : {"etc/httpd/conf", "mnt/flash/bin", "var", "tmp"}) {
        fs::create_directories(Path(folder), ec);
        if (ec) {
            return Status::Fail("cannot create " + Path(folder) + ": " + ec.message());
        }
    }
    if (Write("etc/inittab", SeedInittab()).failed() ||
        Write("etc/httpd/conf/boa.conf", SeedBoaConf(options)).failed()) {
        return Status::Fail("cannot write the start-up files in " + m_root);
    }
    return Status::Ok();
}

Result<std::string> DeviceFolder::Read(std::string_view relative) const
{
    std::lock_guard lock(m_mutex);
    std::ifstream in(Path(relative), std::ios::binary);
    if (!in) {
        return Status::Fail("cannot open " + Path(relative));
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return Status::Fail("cannot read " + Path(relative));
    }
    return content.str();
}

Status DeviceFolder::Write(std::string_view relative, std::string_view bytes)
{
    std::lock_guard lock(m_mutex);
    return WriteFileAtomically(Path(relative), bytes);
}

Status DeviceFolder::Append(std::string_view relative, std::string_view bytes)
{
    std::lock_guard lock(m_mutex);
    std::error_code ec;
    fs::create_directories(fs::path(Path(relative)).parent_path(), ec);
    std::ofstream out(Path(relative), std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        return Status::Fail("cannot append to " + Path(relative));
    }
    return Status::Ok();
}

bool DeviceFolder::ApplicationInstalled() const
{
    const Result<std::string> inittab = Read("etc/inittab");
    if (inittab.failed()) {
        return false;
    }
    const std::vector<std::string> programs = ApplicationPrograms(*inittab);
    if (programs.empty()) {
        return false;
    }
    return std::all_of(programs.begin(), programs.end(), [this](const std::string& name) {
        struct stat info
        {};
        const std::string path = Path("mnt/flash/bin/" + name);
        return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 07777) == 0755;
    });
}

std::vector<std::string> ApplicationPrograms(std::string_view inittab)
{
    const std::vector<std::string_view> lines = Lines(inittab);
    std::size_t marker = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (ContainsNoCase(lines[i], "#v-sencamCLIENT")) {
            marker = i;
        }
    }
    std::vector<std::string> programs;
    if (marker == lines.size()) {
        return programs;
    }
    constexpr std::string_view kBin = "/mnt/flash/bin/";
    for (std::size_t i = marker + 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() || line.front() == '#') {
            continue;
        }
        // id:runlevels:action:process
        std::size_t field = 0;
        std::size_t at = 0;
        while (field < 3 && at != std::string_view::npos) {
            at = line.find(':', at);
            if (at != std::string_view::npos) {
                ++at;
                ++field;
            }
        }
        if (field < 3) {
            continue;
        }
        std::string_view process = line.substr(at);
        process = process.substr(0, process.find(' '));
        if (!process.starts_with(kBin) || process.size() == kBin.size()) {
            continue;
        }
        const std::string name(process.substr(kBin.size()));
        if (name.find('/') == std::string::npos &&
            std::find(programs.begin(), programs.end(), name) == programs.end()) {
            programs.push_back(name);
        }
    }
    return programs;
}

std::string SeedInittab()
{
    return "# /etc/inittab - start-up table of the camera\n"
           "#\n"
           "# id:runlevels:action:process\n"
           "\n"
           "id:3:initdefault:\n"
           "\n"
           "# System initialisation\n"
           "si::sysinit:/etc/rc.d/rc.sysinit\n"
           "\n"
           "# Run levels\n"
           "l0:0:wait:/etc/rc.d/rc 0\n"
           "l1:1:wait:/etc/rc.d/rc 1\n"
           "l3:3:wait:/etc/rc.d/rc 3\n"
           "l6:6:wait:/etc/rc.d/rc 6\n"
           "\n"
           "# Services\n"
           "ud::once:/sbin/update\n"
           "lg:3:respawn:/bin/logd\n"
           "ev:3:respawn:/bin/utask -f /etc/task.list\n"
           "pp:3:respawn:/bin/pppwrapper\n"
           "#pd:3:respawn:/bin/pppwrapper -d\n"
           "ws:3:respawn:/bin/boa -c /etc/httpd/conf\n"
           "ft:3:respawn:/bin/ftpd\n"
           "io:3:respawn:/bin/iod\n"
           "\n"
           "ca::ctrlaltdel:/sbin/reboot\n";
}

std::string SeedBoaConf(const SimOptions& options)
{
    return "# Boa web server configuration of the camera\n"
           "\n"
           "Port 80\n"
           "User root\n"
           "Group root\n"
           "ErrorLog /dev/null\n"
           "AccessLog /dev/null\n"
           "ServerName " +
           options.model +
           "\n"
           "DocumentRoot /usr/html\n"
           "DirectoryIndex index.html\n"
           "KeepAliveMax 100\n"
           "KeepAliveTimeout 10\n"
           "MimeTypes /etc/mime.types\n"
           "DefaultType text/plain\n"
           "AddType application/x-httpd-cgi cgi\n"
           "\n"
           "Alias /doc /usr/doc\n"
           "ScriptAlias /cgi-bin/ /usr/html/cgi-bin/\n"
           "ScriptAlias /axis-cgi/ /usr/html/axis-cgi/\n"
           "Transfer /axis-cgi/io/output.cgi /tmp/iosocket\n"
           "Transfer /axis-cgi/com/ptz.cgi /tmp/ptzsocket\n"
           "\n"
           "AuthPath /axis-cgi/admin/     axadmin\n"
           "AuthPath /axis-cgi/operator/  axoper\n"
           "AuthPath /axis-cgi/io/        axview\n"
           "AuthPath /axis-cgi/com/       axview\n";
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    std::error_code ec;
    const fs::path target(path);
    fs::create_directories(target.parent_path(), ec);
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return Status::Fail("cannot write " + temporary);
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return Status::Fail("cannot rename " + temporary + ": " + ec.message());
    }
    return Status::Ok();
}

} // namespace kor::devicesim
