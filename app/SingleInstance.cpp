// SPDX-License-Identifier: MIT
#include "app/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace zentravolix::app {
namespace {

// The message is a QDataStream of this tag and the list of paths.
constexpr quint32 HandOverTag = 0x5a56'0001;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("zentravolix.socket"));
    // Qt puts a bare name into the temporary folder; the user id keeps users apart there.
    return QStringLiteral("zentravolix-") + QString::number(::getuid());
}

bool SingleInstance::HandOver(const QStringList& files, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name, QIODevice::WriteOnly);
    if (!socket.waitForConnected(timeoutMs))
        return false; // nobody there, or a socket file whose server has gone
    QByteArray message;
    {
        QDataStream stream(&message, QIODevice::WriteOnly);
        stream.setVersion(StreamVersion);
        stream << HandOverTag << files;
    }
    if (socket.write(message) != message.size())
        return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMs))
            return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    if (m_server != nullptr)
        return m_server->isListening();
    // When something answers on the name, another instance has just started and keeps it.
    // Otherwise a socket file there is left over from one that ended without removing it.
    {
        QLocalSocket probe;
        probe.connectToServer(m_name, QIODevice::WriteOnly);
        if (probe.waitForConnected(500)) {
            probe.abort();
            return false;
        }
    }
    QLocalServer::removeServer(m_name);
    // The socket is made with the user's file mode (others cannot write to it); in the runtime
    // folder nobody else can even reach it.
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return m_server->listen(m_name);
}

bool SingleInstance::IsListening() const
{
    return m_server != nullptr && m_server->isListening();
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readFrom(socket);
            socket->deleteLater();
        });
        // What arrived before the connection was taken is read at once.
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    if (socket->property("zvDone").toBool())
        return;
    QDataStream stream(socket);
    stream.setVersion(StreamVersion);
    stream.startTransaction();
    quint32 tag = 0;
    QStringList files;
    stream >> tag >> files;
    if (!stream.commitTransaction())
        return; // not all there yet
    socket->setProperty("zvDone", true);
    if (tag == HandOverTag)
        emit filesReceived(files);
    socket->disconnectFromServer();
}

} // namespace zentravolix::app
