#include "data/DataDirectoryLock.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <QDir>
#include <QProcess>

namespace {

class DataDirectoryLockTest : public BelvantoTest
{
protected:
    void TearDown() override
    {
        for (const QString &mount : m_mounts)
            QProcess::execute(QStringLiteral("umount"), {mount});
        BelvantoTest::TearDown();
    }

    // A small file system of its own, or an empty text where none can be mounted.
    QString mountTmpfs(const QString &name, const QString &options)
    {
        const QString mount = path(name);
        QDir().mkpath(mount);
        if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", options, "tmpfs", mount}) != 0)
            return {};
        m_mounts.append(mount);
        return mount;
    }

    QStringList m_mounts;
};

TEST_F(DataDirectoryLockTest, eachFaultOfTheFolderIsNamedNotTakenForARunningCopy)
{
    struct Case {
        const char *fault;
        std::function<QString()> folder; // empty when the fault cannot be made here
        QString reason;
    };
    const Case cases[] = {
        {"read-only folder", [&] { return mountTmpfs(QStringLiteral("ro"), QStringLiteral("ro,size=64k")); },
         QStringLiteral("Der Datenträger ist schreibgeschützt.")},
        {"full disk",
         [&] {
             const QString mount = mountTmpfs(QStringLiteral("full"), QStringLiteral("size=4k"));
             if (!mount.isEmpty())
                 QProcess::execute(QStringLiteral("sh"), {"-c", "cat /dev/zero > '" + mount + "/filler' 2>/dev/null"});
             return mount;
         },
         QStringLiteral("Der Datenträger ist voll")},
        {"path too long", [&] { return path(QString(300, u'x')); },
         QStringLiteral("Der Ordner fehlt und kann nicht angelegt werden")},
    };
    for (const Case &c : cases) {
        const QString folder = c.folder();
        if (folder.isEmpty()) {
            std::cout << "skipped: " << c.fault << " (no tmpfs can be mounted here)\n";
            continue;
        }
        DataDirectoryLock lock(folder);
        EXPECT_FALSE(lock.acquire()) << c.fault;
        const QString message = lock.failureMessage();
        EXPECT_TRUE(message.startsWith(QStringLiteral("Der Datenordner „%1“ kann nicht benutzt werden.").arg(folder)))
            << c.fault << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << c.fault << ": " << message.toStdString();
    }

    DataDirectoryLock first(path(QStringLiteral("data")));
    ASSERT_TRUE(first.acquire());
    DataDirectoryLock second(path(QStringLiteral("data")));
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(second.failureMessage().startsWith(QStringLiteral("Belvanto läuft bereits")));
}

} // namespace
