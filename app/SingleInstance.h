// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace zentravolix::app {

/**
 * One program window per user session. The first instance listens on a local socket; a later
 * start hands its files to it through that socket and exits, so two processes never keep the
 * favourites at once.
 *
 * The socket name is given, so that tests (which run many windows side by side) use names of
 * their own; the program itself uses DefaultName().
 */
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    /** The user's socket: in $XDG_RUNTIME_DIR when there is one, else a name with the user id. */
    static QString DefaultName();

    /**
     * Gives the files (absolute paths; the list may be empty) to the instance listening on the
     * name. True when one took them; false when nobody listens, also when a socket is left over
     * from an instance that has gone.
     */
    bool HandOver(const QStringList& files, int timeoutMs = 2000) const;

    /** Becomes the instance that listens; a left-over socket is removed first. False when the
     *  name cannot be taken (the program then simply runs without it). */
    bool Listen();
    bool IsListening() const;

    const QString& Name() const { return m_name; }

signals:
    /** A later start handed these files over (possibly none: it only asked to be shown). */
    void filesReceived(const QStringList& files);

private:
    void onNewConnection();
    void readFrom(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace zentravolix::app
