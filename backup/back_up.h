// Stowkeep's one window: back up the book, restore a back-up over it, or
// compact it, each on a click of its option. The work on files is
// backup_store's; this window asks, chooses the files and tells the outcome.
#pragma once

#include <functional>

#include <QWidget>

#include "backup/backup_store.h"

class QRadioButton;

namespace platform { class FileLock; }

namespace backup {

class BackUp : public QWidget {
    Q_OBJECT

public:
    // The window over the book under `workingFolder` (DB/tamselstd.MDB), the
    // folder the main program runs in.
    explicit BackUp(const QString& workingFolder, QWidget* parent = nullptr);

    // Runs the action of option `index` at once: 0 back up, 1 restore, 2
    // compact. Every failure is told and the window stays open; a restore that
    // succeeded closes the window, which ends the program.
    void Op1_Click(int index);

    // How long a restore or compaction waits for the main program to close;
    // tests shorten it.
    void setLockWaitMs(int ms) { m_lockWaitMs = ms; }

private:
    void backUp();
    void restore();
    void compact();
    // Runs `change` with the book's lock taken exclusively (the main program
    // closed), under the hourglass.
    Failure underLock(const std::function<Failure(const platform::FileLock&)>& change);

    BookFiles m_files;
    int m_lockWaitMs = kLockWaitMs;
    QRadioButton* m_options[3] = {};
};

} // namespace backup
