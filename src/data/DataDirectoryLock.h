#pragma once

#include <memory>
#include <QLockFile>

// One running copy of the program per data directory: a second one would write over the first
// one's files. A lock left behind by a copy that crashed does not block the next start.
class DataDirectoryLock
{
public:
    explicit DataDirectoryLock(const QString &dataDirectory);
    bool acquire();
    // Why acquire() failed: another running copy, or what is wrong with the folder.
    QString failureMessage() const;

private:
    QString m_dataDirectory;
    std::unique_ptr<QLockFile> m_lock;
};
