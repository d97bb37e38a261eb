// One Renovo at a time per user: an advisory lock on a file in the user's
// runtime folder, held for the life of the process. The kernel drops it
// when the process ends, however it ends, so no stale lock is left.
#pragma once

#include <QString>

namespace renovo {

class InstanceLock {
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock; false when another holds
    // it or the file cannot be opened.
    bool tryLock();

    // <runtime folder>/Renovo.lock
    static QString defaultPath();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace renovo
