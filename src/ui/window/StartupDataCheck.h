#pragma once

#include "tools/DataCheck.h"

#include <QObject>
#include <QString>

#include <string>
#include <thread>

namespace daylark {

class CDaylarkDoc;

/// The read-only data check of start-up, run on a worker thread that only reads files. The
/// change of day waits while it runs; its result comes back to the event loop, which says in
/// damageFound what is damaged (nothing when the set is whole).
class StartupDataCheck : public QObject
{
    Q_OBJECT

public:
    /// `doc` must outlive this object.
    StartupDataCheck(CDaylarkDoc& doc, std::string dataDir, std::string dayFile,
                     QObject* parent = nullptr);
    /// Asks a running check to stop, waits for it and lets the change of day go on.
    ~StartupDataCheck() override;

    /// Starts the check (once) and holds the change of day until it ends.
    void start();
    bool running() const { return m_holding; }

signals:
    /// The notice for the status bar, when something is damaged.
    void damageFound(const QString& notice);
    /// The check has ended, whatever it found.
    void finished();

private:
    void finish(const DataCheckReport& report);
    void release();

    CDaylarkDoc& m_doc;
    const DataCheck m_check;
    bool m_holding = false;
    /// Last: joined before the members the worker reads go away.
    std::jthread m_worker;
};

} // namespace daylark
