#pragma once

#include <QByteArray>
#include <QString>

// An exclusive lock between running copies of the program, on a lock file beside the file
// it guards. The kernel holds it (flock) and drops it when its holder ends, however it
// ends: a copy that was killed never leaves a lock behind that makes the next one wait, and
// a lock file that could not be removed is simply taken again.
class FileLock
{
  public:
    enum Result { Locked, Busy, Failed };

    explicit FileLock(const QString& lockPath);
    ~FileLock(); // releases the lock and removes the lock file
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to `waitMs` while another copy holds the lock. Failed: the lock file cannot
    // be created or locked (error() tells why); a lock file it made is removed again.
    Result lock(int waitMs);
    int error() const { return m_error; }
    // After Failed: the lock file and why it cannot be used (Czech, for the user).
    QString whyFailed() const;

  private:
    Result fail(int error);

    QByteArray m_path;
    int m_fd = -1;
    int m_error = 0;
};
