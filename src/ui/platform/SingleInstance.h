#pragma once

#include "platform/DataDirLock.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <optional>
#include <string>

class QLocalServer;

namespace daylark {

/// One desktop program per data directory. The first holds the data directory's lock for its
/// whole run and listens on a local socket named after the directory; a later start on the same
/// directory asks it to come to the front and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Start {
        First,          ///< the lock is ours; later starts will be announced
        BroughtForward, ///< another Daylark runs on the directory and was asked to come forward
        AlreadyRunning, ///< another program holds the lock and did not answer
        Unlocked,       ///< the lock file cannot be made; running without the lock
    };

    /// `dataDir` must exist for the lock to be taken.
    explicit SingleInstance(std::string dataDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Takes the lock. When another program holds it: a running Daylark is asked to come to
    /// the front; otherwise (a daylark-cli command holds it for a moment) the lock is waited
    /// for up to `wait`. `error` receives the errno of a lock file that cannot be made.
    Start start(std::chrono::milliseconds wait, int* error = nullptr);

    /// The local socket of the program that runs on `dataDir`: one per user and directory.
    static QString serverName(const std::string& dataDir);

signals:
    /// A later start on the same data directory asks this program's window to come forward.
    void activationRequested();

private:
    void listen();
    bool askRunningProgram() const;
    void readRequests();

    std::string m_dataDir;
    std::optional<DataDirLock> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace daylark
