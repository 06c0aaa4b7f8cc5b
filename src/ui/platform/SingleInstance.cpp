#include "ui/platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <unistd.h>

namespace daylark {

namespace {

constexpr QByteArrayView kRaiseRequest = "raise\n";
constexpr int kAnswerMilliseconds = 2000;

} // namespace

SingleInstance::SingleInstance(std::string dataDir, QObject* parent)
    : QObject(parent)
    , m_dataDir(std::move(dataDir))
{}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const std::string& dataDir)
{
    const QString path = QString::fromStdString(dataDir);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QByteArray key = (canonical.isEmpty() ? path : canonical).toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
    const QString name = QStringLiteral("daylark-%1-%2").arg(::getuid()).arg(hash);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime)).isDir()) {
        return QDir(QString::fromLocal8Bit(runtime)).filePath(name);
    }
    return name; // in the temporary directory
}

SingleInstance::Start SingleInstance::start(std::chrono::milliseconds wait, int* error)
{
    int failure = 0;
    m_lock = DataDirLock::acquire(m_dataDir, std::chrono::milliseconds(0), &failure);
    if (!m_lock && failure == EWOULDBLOCK) {
        if (askRunningProgram()) {
            return Start::BroughtForward;
        }
        m_lock = DataDirLock::acquire(m_dataDir, wait, &failure);
    }
    if (error != nullptr) {
        *error = failure;
    }
    if (!m_lock) {
        return failure == EWOULDBLOCK ? Start::AlreadyRunning : Start::Unlocked;
    }
    listen();
    return Start::First;
}

void SingleInstance::listen()
{
    const QString name = serverName(m_dataDir);
    // We hold the lock: a socket left under this name is from a program that died.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readRequests);
    m_server->listen(name);
}

bool SingleInstance::askRunningProgram() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName(m_dataDir));
    if (!socket.waitForConnected(kAnswerMilliseconds)) {
        return false;
    }
    socket.write(kRaiseRequest.data(), kRaiseRequest.size());
    const bool sent = socket.waitForBytesWritten(kAnswerMilliseconds);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::readRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto answer = [this, socket] {
            if (socket->readAll().contains("raise")) {
                emit activationRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, answer);
        if (socket->bytesAvailable() > 0) {
            answer();
        }
    }
}

} // namespace daylark
