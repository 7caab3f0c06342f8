#pragma once

#include <string>
#include <string_view>

namespace kor {

// Reading an FTP server's answers for the log. Replies are lines "ddd text"; a multi-line reply
// opens with "ddd-" and ends with the line "ddd ".

// The server's last reply within the answers a client collected (the whole reply when it spans
// several lines); what came before it belongs to earlier commands.
std::string_view LastFtpReply(std::string_view answers);

// Whether the last reply asks for a password (a line beginning "331 "): the log-in went no further.
bool FtpAskedForPassword(std::string_view answers);

// The log line of a failed FTP operation: "Error:" with the code and text of the server's last
// reply when that reply refused (4xx, 5xx); otherwise the transport's reason (a time-out, a lost
// connection) with code 0, since a positive reply such as the greeting of a server that then went
// silent is not the cause. The text is cut to a sane length.
std::string FtpErrorText(int code, std::string_view answers, std::string_view transportError);

} // namespace kor
