#pragma once

#include "config/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <string>

namespace kor {

// The companion client program's connection: one per program. It keeps the remote (relay) start
// values handed to it and holds the open companion database, from which the camera records, model
// profiles, languages and parameters are read. Records always come from the local database: the
// stand-in has no remote data server, so the remote values are kept for whoever asks.
class ClientConnection
{
public:
    ClientConnection();
    ~ClientConnection();
    ClientConnection(const ClientConnection&) = delete;
    ClientConnection& operator=(const ClientConnection&) = delete;

    void SetRemote(bool remoteMode, const std::string& relayHost, std::int32_t relayDataPort,
                   const std::string& relayPwd);
    bool RemoteMode() const { return m_remoteMode; }
    const std::string& RelayHost() const { return m_relayHost; }
    std::int32_t RelayDataPort() const { return m_relayDataPort; }
    const std::string& RelayPwd() const { return m_relayPwd; }

    // Opens the companion database file (creating and seeding a new one, upgrading an older
    // layout). An open connection is closed first.
    Status Open(const QString& databasePath);
    bool IsOpen() const;
    void Close();

    // Whether the file is read-only: reading works, every change fails with a clear message.
    bool ReadOnly() const { return m_readOnly; }
    const QString& DatabasePath() const { return m_path; }
    // The open database (an invalid handle when closed). Queries run on it directly.
    QSqlDatabase Database() const;

private:
    QString m_connectionName;
    QString m_path;
    bool m_open = false;
    bool m_readOnly = false;
    bool m_remoteMode = false;
    std::string m_relayHost;
    std::int32_t m_relayDataPort = 900;
    std::string m_relayPwd;
};

} // namespace kor
