#include "outside/companion/ClientConnection.h"

#include "outside/companion/CompanionDatabase.h"

#include <QAtomicInt>

namespace kor {

namespace {

QString NewConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("kor-companion-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

ClientConnection::ClientConnection() : m_connectionName(NewConnectionName()) {}

ClientConnection::~ClientConnection()
{
    Close();
}

void ClientConnection::SetRemote(bool remoteMode, const std::string& relayHost, std::int32_t relayDataPort,
                                 const std::string& relayPwd)
{
    m_remoteMode = remoteMode;
    m_relayHost = relayHost;
    m_relayDataPort = relayDataPort;
    m_relayPwd = relayPwd;
}

Status ClientConnection::Open(const QString& databasePath)
{
    Close();
    bool readOnly = false;
    if (Status opened = CompanionDatabase::Open(databasePath, m_connectionName, &readOnly); opened.failed())
        return opened;
    m_path = databasePath;
    m_readOnly = readOnly;
    m_open = true;
    return Status::Ok();
}

bool ClientConnection::IsOpen() const
{
    return m_open;
}

void ClientConnection::Close()
{
    if (!m_open)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
    m_readOnly = false;
}

QSqlDatabase ClientConnection::Database() const
{
    if (!m_open)
        return {};
    return QSqlDatabase::database(m_connectionName, false);
}

} // namespace kor
