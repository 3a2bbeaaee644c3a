#include "support/TestEnvironment.h"

#include "base/Clock.h"
#include "data/INI.h"
#include "dtaus/QuennDTA.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void BelvantoTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    SettingsStore::setLocation(path(QStringLiteral("settings/Belvanto.conf")));
    TQuennBaseDTA::SetRunNumberFile(path(QStringLiteral("settings/TQuennDTA.conf")));
    Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
}

void BelvantoTest::TearDown()
{
    Clock::setFixed(QDateTime());
    MessageRecorder::uninstall();
}

void ModuleTest::SetUp()
{
    BelvantoTest::SetUp();
    QDir().mkpath(path(QStringLiteral("data")));
    module = newModule();
}

std::unique_ptr<TDataModule1> ModuleTest::newModule()
{
    auto data = std::make_unique<TDataModule1>(
        DataLocations {path(QStringLiteral("data")), path(QStringLiteral("program"))});
    data->SetQuennDTA(&checks);
    return data;
}

void ModuleTest::addValidBooking(const QString &name, const QString &kind, const QString &status, const QDate &due,
                                 double amount, const QString &purpose)
{
    Table &b = *module->ClientDataSet1;
    b.insert();
    b.setAsString(QStringLiteral("Name"), name);
    b.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
    b.setAsInteger(QStringLiteral("BLZ"), 10020030);
    b.setAsFloat(QStringLiteral("Betrag"), amount);
    b.setAsString(QStringLiteral("Verwendungszweck"), purpose);
    b.setAsString(QStringLiteral("Zahlungsart"), kind);
    b.setAsString(QStringLiteral("Status"), status);
    b.setAsDate(QStringLiteral("Faelligkeit"), due);
    b.post();
}

QByteArray BelvantoTest::readFile(const QString &name) const
{
    QFile file(name.startsWith(u'/') ? name : path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BelvantoTest::writeFile(const QString &name, const QByteArray &content) const
{
    QFile file(name.startsWith(u'/') ? name : path(name));
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void MessageRecorder::install()
{
    TQuennBaseDTA::SetMessagePresenter([this](const QString &caption, const QString &text) {
        captions.append(caption);
        texts.append(text);
    });
}

void MessageRecorder::uninstall()
{
    TQuennBaseDTA::SetMessagePresenter({});
}

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}
