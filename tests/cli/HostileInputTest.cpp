// Input that would once destroy data, pass for success or read without end: each ends with a German
// message, a non-zero exit and no file changed.
#include "cli/CliFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <sys/stat.h>

namespace {

class HostileInputTest : public CliTest
{
protected:
    // Every file under a folder with its content, to show that nothing changed.
    QMap<QString, QByteArray> snapshot(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                files.insert(it.filePath(), file.readAll());
        }
        return files;
    }

    // A data folder with one client and two bookings, as import-dtaus leaves it.
    QString dataFolder()
    {
        const QString file = path(QStringLiteral("DTAUS0.TXT"));
        EXPECT_EQ(run({"dtaus", "write", writeJson(request()), file}).exitCode, 0);
        const QString data = path(QStringLiteral("daten"));
        EXPECT_EQ(run({"import-dtaus", file, "--data-dir", data}).exitCode, 0);
        return data;
    }
};

TEST_F(HostileInputTest, devicesAndPipesAreRefusedUnread)
{
    const QString fifo = path(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString target = path(QStringLiteral("out.xml"));
    const QList<QStringList> commands = {
        {"table", "dump", "/dev/zero"},
        {"table", "dump", fifo},
        {"table", "copy", "/dev/urandom", target},
        {"dtaus", "write", "/dev/zero", target},
        {"dtaus", "write", fifo, target},
        {"dtaus", "verify", "/dev/zero"},
        {"blz", "import", "/dev/zero", target},
        {"blz", "import", fifo, target},
    };
    for (const QStringList &command : commands) {
        const Result result = run(command);
        EXPECT_EQ(result.exitCode, 1) << command.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("das ist keine gewöhnliche Datei")))
            << command.join(u' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(target));
    }
    EXPECT_EQ(run({"dtaus", "read", fifo}).exitCode, 1);
}

TEST_F(HostileInputTest, paymentFilesNeverReplaceAFileOfTheDataFolder)
{
    const QString data = dataFolder();
    QFile::link(data + QStringLiteral("/db2.xml"), path(QStringLiteral("link.dta")));
    const QMap<QString, QByteArray> before = snapshot(data);
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    for (const QString &target : {data + QStringLiteral("/db1.xml"), path(QStringLiteral("link.dta")),
                                  data + QStringLiteral("/../daten/./db3.xml"), data + QStringLiteral("/blz.xml"),
                                  data + QStringLiteral("/belvanto.lock")}) {
        const Result result = run({"create", "--lastschriften", "--client", "1", "--due-from", today, "--due-to", today,
                                   "--target", target, "--data-dir", data});
        EXPECT_EQ(result.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("darf nicht überschrieben werden"))) << result.err.toStdString();
        EXPECT_EQ(snapshot(data), before) << target.toStdString();
    }

    // dtaus write knows no data folder but the program's own.
    const QString own = path(QStringLiteral("share/Belvanto 2011"));
    QDir().mkpath(own);
    writeFile(QStringLiteral("share/Belvanto 2011/db1.xml"), "Buchungen");
    const Result written = run({"dtaus", "write", writeJson(request()), own + QStringLiteral("/db1.xml")});
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_TRUE(written.err.contains(QStringLiteral("darf nicht überschrieben werden"))) << written.err.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("share/Belvanto 2011/db1.xml")), "Buchungen");
}

TEST_F(HostileInputTest, dtausWriteNamesTheValueOfTheWrongTypeOrRange)
{
    struct Case {
        QString key; // top-level key, or "buchungen/N/key"
        QJsonValue value;
        QString message;
    };
    const Case cases[] = {
        {"auftraggeberBLZ", 4307312974.0, "„auftraggeberBLZ“ muss eine ganze Zahl von 0 bis 99999999 sein."},
        {"auftraggeberKontoNr", "12a", "„auftraggeberKontoNr“ muss eine ganze Zahl von 0 bis 9999999999 sein."},
        {"lastschriften", "ja", "„lastschriften“ muss true oder false sein."},
        {"buchungen", "x", "„buchungen“ muss eine Liste sein."},
        {"customZahlungsschluessel", QString(1000, u'5'),
         "„customZahlungsschluessel“ muss leer oder fünf Ziffern lang sein."},
        {"ausfuehrungsdatum", 20261209, "„ausfuehrungsdatum“ muss ein Text sein."},
        {"buchungen/0/betrag", "12", "Buchung 1: „betrag“ muss eine Zahl (Betrag in Euro) sein."},
        {"buchungen/1/verwendungszwecke", "text", "Buchung 2: „verwendungszwecke“ muss eine Liste sein."},
        {"buchungen/1/verwendungszwecke", QJsonArray {1},
         "Buchung 2: „verwendungszwecke“ muss eine Liste von Texten sein."},
        {"buchungen/1/kontonummer", 99.5, "Buchung 2: „kontonummer“ muss eine ganze Zahl von 0 bis 9999999999 sein."},
        {"buchungen/0/name", QJsonArray {}, "Buchung 1: „name“ muss ein Text sein."},
        {"buchungen/1", 5, "Buchung 2: ein Eintrag von „buchungen“ muss ein Objekt sein."},
    };
    const QString target = path(QStringLiteral("DTAUS0"));
    for (const Case &c : cases) {
        QJsonObject json = request();
        const QStringList parts = c.key.split(u'/');
        if (parts.size() == 1) {
            json.insert(c.key, c.value);
        } else {
            QJsonArray bookings = json.value("buchungen").toArray();
            QJsonObject booking = bookings.at(parts.at(1).toInt()).toObject();
            if (parts.size() == 3)
                booking.insert(parts.at(2), c.value);
            bookings.replace(parts.at(1).toInt(), parts.size() == 3 ? QJsonValue(booking) : c.value);
            json.insert("buchungen", bookings);
        }
        const Result result = run({"dtaus", "write", writeJson(json), target});
        EXPECT_EQ(result.exitCode, 1) << c.key.toStdString();
        EXPECT_EQ(result.err.trimmed(), c.message);
        EXPECT_FALSE(QFile::exists(target)) << c.key.toStdString();
    }
}

// Texts that no JSON writer makes: broken files, numbers beyond the 64-bit ranges, whole numbers
// written with a decimal point (taken, as they always were).
TEST_F(HostileInputTest, dtausWriteReadsTheJsonTextStrictly)
{
    const QByteArray valid = QJsonDocument(request()).toJson(QJsonDocument::Compact);
    const auto replaced = [&](const char *from, const char *to) { return QByteArray(valid).replace(from, to); };
    struct Case {
        QByteArray json;
        QString message; // empty: the file is written
    };
    const Case cases[] = {
        {valid.left(valid.size() / 2), "ist kein gültiges JSON (Fehler bei Zeichen"},
        {"[" + valid + "]", "ist kein JSON-Objekt."},
        {valid + "x", "ist kein gültiges JSON (Fehler bei Zeichen"},
        {replaced("\"kontonummer\":99", "\"kontonummer\":18446744073709551615"),
         "Buchung 2: „kontonummer“ muss eine ganze Zahl von 0 bis 9999999999 sein."},
        {replaced("\"kontonummer\":99", "\"kontonummer\":-99"),
         "Buchung 2: „kontonummer“ muss eine ganze Zahl von 0 bis 9999999999 sein."},
        {replaced("\"kontonummer\":99", "\"kontonummer\":99.0"), {}},
        {replaced("\"betrag\":0.01", "\"betrag\":1"), {}},
    };
    const QString target = path(QStringLiteral("DTAUS0"));
    for (const Case &c : cases) {
        QFile::remove(target);
        writeFile(QStringLiteral("in.json"), c.json);
        const Result result = run({"dtaus", "write", path(QStringLiteral("in.json")), target});
        if (c.message.isEmpty()) {
            EXPECT_EQ(result.exitCode, 0) << c.json.toStdString() << result.err.toStdString();
            EXPECT_TRUE(QFile::exists(target));
            continue;
        }
        EXPECT_EQ(result.exitCode, 1) << c.json.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(target)) << c.json.toStdString();
    }
}

TEST_F(HostileInputTest, bankDirectoryStaysWhenTheSourceNamesNoBank)
{
    writeFile(QStringLiteral("blz.xml"), "das Verzeichnis in Gebrauch");
    writeFile(QStringLiteral("passwd"),
              "root:x:0:0:root:/root:/bin/bash\n\ndaemon:x:1:1::/usr/sbin:/usr/sbin/nologin\n");
    const Result result = run({"blz", "import", path(QStringLiteral("passwd")), path(QStringLiteral("blz.xml"))});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("keine Bankleitzahlendatei der Deutschen Bundesbank")));
    EXPECT_TRUE(result.err.contains(
        QStringLiteral("(2 Zeilen passen nicht zum Format der Bankleitzahlendatei, die erste ist Zeile 1)")))
        << result.err.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("blz.xml")), "das Verzeichnis in Gebrauch");
}

TEST_F(HostileInputTest, tableCopyRefusesAFieldNameNoFileCanCarry)
{
    writeFile(QStringLiteral("names.xml"),
              "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD fieldname=\"A&amp;&quot;B&#013;\" attrname=\"AB\" "
              "fieldtype=\"i4\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW AB=\"1\"/></ROWDATA></DATAPACKET>");
    const Result result = run({"table", "copy", path(QStringLiteral("names.xml")), path(QStringLiteral("copy.xml"))});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.trimmed(),
              QStringLiteral("Der Feldname „A&\"B\r“ kann nicht in eine Datendatei geschrieben werden."));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("copy.xml"))));
}

} // namespace
