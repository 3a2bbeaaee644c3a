#include "data/DataPacket.h"
#include "data/TableFixture.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <sys/stat.h>

namespace {

class DataPacketTest : public TableTest
{
protected:
    // The message of a refused packet, empty when it loaded. A refused packet leaves the table as it was.
    QString loadError(const QByteArray &content)
    {
        writeFile(QStringLiteral("packet.xml"), content);
        const QStringList before = walk(payers(), QStringLiteral("Name"));
        try {
            payers().loadFromFile(path(QStringLiteral("packet.xml")));
        } catch (const BelvantoError &error) {
            EXPECT_EQ(walk(payers(), QStringLiteral("Name")), before);
            return error.message();
        }
        return {};
    }

    static QByteArray fileContent(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray payerPacket(const QByteArray &rows, const QByteArray &extraFieldAttrs = {})
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
               "<FIELD attrname=\"ID\" fieldtype=\"i4\"/><FIELD attrname=\"Name\" fieldtype=\"string\" WIDTH=\"50\"/>"
               "<FIELD attrname=\"Kontonummer1\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ1\" "
               "fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Verwendungszweck\" fieldtype=\"string\" WIDTH=\"100\"/>"
               "<FIELD attrname=\"Strasse\" fieldtype=\"string\" WIDTH=\"100\"/><FIELD attrname=\"PLZ\" "
               "fieldtype=\"string\" WIDTH=\"10\"/>"
               "<FIELD attrname=\"Ort\" fieldtype=\"string\" WIDTH=\"100\"/><FIELD attrname=\"Land\" "
               "fieldtype=\"string\" WIDTH=\"100\"/>"
               "<FIELD attrname=\"Kontonummer2\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ2\" "
               "fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Kontonummer3\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ3\" "
               "fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Aktives Konto\" fieldtype=\"i4\""
            + extraFieldAttrs
            + "/>"
              "</FIELDS><PARAMS DEFAULT_ORDER=\"1\" PRIMARY_KEY=\"1\" LCID=\"1031\"/></METADATA><ROWDATA>"
            + rows + "</ROWDATA></DATAPACKET>";
    }
};

TEST_F(DataPacketTest, roundTripWithAwkwardCharacters)
{
    const QString awkward = QStringLiteral("Müller & Söhne <GmbH> \"Zitat\" 'Apostroph'\r\nZeile 2\tTab \\ Straße €");
    bookings().insert();
    bookings().setAsInteger(QStringLiteral("ID"), 1);
    bookings().setAsString(QStringLiteral("Verwendungszweck"), awkward.left(100));
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Ä"));
    bookings().clearField(QStringLiteral("Status"));
    bookings().setAsFloat(QStringLiteral("Betrag"), 0.1 + 0.2);
    bookings().setAsDate(QStringLiteral("Faelligkeit"), QDate(2026, 2, 28));
    bookings().setAsInteger(QStringLiteral("BLZ"), 10020030);
    bookings().setAsString(QStringLiteral("Kontonummer"), QStringLiteral("0012"));
    bookings().post();
    addBooking(2, QStringLiteral("Zweite"));
    bookings().saveToFile();

    const QByteArray file = readFile(QStringLiteral("data/db1.xml"));
    EXPECT_TRUE(file.contains("&amp;")) << file.constData();
    EXPECT_TRUE(file.contains("&#013;&#010;"));
    EXPECT_TRUE(file.contains("&#009;"));
    EXPECT_TRUE(file.contains("&#092;"));
    EXPECT_TRUE(file.contains("&apos;Apostroph&apos;"));
    EXPECT_TRUE(file.contains("&lt;GmbH&gt; &quot;Zitat&quot;"));
    EXPECT_TRUE(file.contains("Faelligkeit=\"20260228\""));
    EXPECT_TRUE(file.contains("fieldtype=\"r8\" SUBTYPE=\"Money\""));
    EXPECT_TRUE(file.contains("<DATAPACKET Version=\"2.0\">"));
    EXPECT_FALSE(file.contains("=\"\"")); // empty fields are left out

    TDataModule1 other({path(QStringLiteral("data")), path(QStringLiteral("program"))});
    other.ClientDataSet1->loadFromFile();
    ASSERT_EQ(other.ClientDataSet1->recordCount(), 2);
    other.ClientDataSet1->last();
    EXPECT_EQ(other.ClientDataSet1->asString(QStringLiteral("Verwendungszweck")), awkward.left(100));
    EXPECT_EQ(other.ClientDataSet1->asFloat(QStringLiteral("Betrag")), 0.1 + 0.2);
    EXPECT_EQ(other.ClientDataSet1->asDate(QStringLiteral("Faelligkeit")), QDate(2026, 2, 28));
    EXPECT_EQ(other.ClientDataSet1->asInteger(QStringLiteral("BLZ")), 10020030);
    EXPECT_EQ(other.ClientDataSet1->asString(QStringLiteral("Kontonummer")), QStringLiteral("0012"));
    EXPECT_TRUE(other.ClientDataSet1->isNull(QStringLiteral("Status")));
    other.ClientDataSet1->saveToFile(path(QStringLiteral("again.xml")));
    EXPECT_EQ(readFile(QStringLiteral("again.xml")), file);
}

TEST_F(DataPacketTest, aktivesKontoIsWrittenAsWellFormedXml)
{
    addPayer(1, QStringLiteral("A"));
    payers().edit();
    payers().setAsInteger(QStringLiteral("Aktives Konto"), 2);
    payers().setAsInteger(QStringLiteral("BLZ2"), -5);
    payers().post();
    payers().saveToFile();
    const QByteArray file = readFile(QStringLiteral("data/db2.xml"));
    EXPECT_TRUE(file.contains("<FIELD fieldname=\"Aktives Konto\" attrname=\"Aktives_Konto\" fieldtype=\"i4\"/>"));
    EXPECT_TRUE(file.contains("Aktives_Konto=\"2\""));
    EXPECT_TRUE(file.contains("BLZ2=\"-5\""));
    EXPECT_FALSE(file.contains("Aktives Konto=\""));
}

TEST_F(DataPacketTest, literalAktivesKontoOfEarlierInstallationsIsRead)
{
    EXPECT_EQ(loadError(payerPacket("<ROW ID=\"1\" Name=\"Alt\" Aktives Konto=\"2\"/>"
                                    "<ROW Aktives Konto = '3' ID=\"2\" Name=\"Aktives Konto=&quot;1&quot;\"/>")),
              QString());
    ASSERT_EQ(payers().recordCount(), 2);
    payers().first();
    EXPECT_EQ(payers().asInteger(QStringLiteral("Aktives Konto")), 2);
    payers().next();
    EXPECT_EQ(payers().asInteger(QStringLiteral("Aktives Konto")), 3);
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Aktives Konto=\"1\""));
    payers().saveToFile(path(QStringLiteral("out.xml")));
    EXPECT_TRUE(readFile(QStringLiteral("out.xml")).contains("Aktives_Konto=\"3\""));
}

TEST_F(DataPacketTest, packetsOfOtherWriters)
{
    const QByteArray rows = "\n  <ROW Name='Erste&#x20;Zeile&#10;zwei'   ID = \"3\"  RowState=\"4\"/>\n"
                            "<ROW ID=\"1\" Name=\"Original\" Ort=\"Bonn\" RowState=\"1\"/>"
                            "<ROW ID=\"1\" Name=\"Geändert\" RowState=\"8\"/>"
                            "<ROW ID=\"2\" Name=\"Gelöscht\" RowState=\"2\"/>"
                            "<ROW ID=\"4\"/>";
    EXPECT_EQ(loadError(payerPacket(rows)), QString());
    EXPECT_EQ(walk(payers(), QStringLiteral("ID")), (QStringList {"1", "3", "4"}));
    payers().first();
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Geändert"));
    EXPECT_EQ(payers().asString(QStringLiteral("Ort")), QStringLiteral("Bonn"));
    payers().next();
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Erste Zeile\nzwei"));
    payers().next();
    EXPECT_TRUE(payers().isNull(QStringLiteral("Name")));
}

TEST_F(DataPacketTest, malformedPacketsAreRefusedWithTheFileName)
{
    struct Case {
        const char *fault;
        QByteArray content;
    };
    const QByteArray bigValue(2 * 1024 * 1024, 'x');
    const Case cases[] = {
        {"not XML", "Das ist kein XML"},
        {"empty", ""},
        {"wrong root", "<?xml version=\"1.0\"?><TABLE/>"},
        {"missing field", payerPacket("").replace("<FIELD attrname=\"Ort\" fieldtype=\"string\" WIDTH=\"100\"/>", "")},
        {"mistyped field",
         payerPacket("").replace("attrname=\"BLZ1\" fieldtype=\"i4\"",
                                 "attrname=\"BLZ1\" fieldtype=\"string\" WIDTH=\"8\"")},
        {"non-numeric integer", payerPacket("<ROW ID=\"eins\"/>")},
        {"truncated", payerPacket("<ROW ID=\"1\"/>").left(900)},
        {"huge attribute", payerPacket("<ROW ID=\"1\" Name=\"" + bigValue + "\"/>")},
        {"unknown entity", payerPacket("<ROW ID=\"1\" Name=\"&nbsp;\"/>")},
        {"no metadata", "<DATAPACKET Version=\"2.0\"><ROWDATA/></DATAPACKET>"},
    };
    for (const Case &c : cases) {
        const QString message = loadError(c.content);
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path(QStringLiteral("packet.xml")))))
            << c.fault << message.toStdString();
    }
    addBooking(1, QStringLiteral("A"));
    bookings().saveToFile(path(QStringLiteral("b.xml")));
    QByteArray content = readFile(QStringLiteral("b.xml"));
    content.replace("Faelligkeit=\"20261209\"", "Faelligkeit=\"20260231\"");
    writeFile(QStringLiteral("b.xml"), content);
    EXPECT_THROW(bookings().loadFromFile(path(QStringLiteral("b.xml"))), BelvantoError);
}

TEST_F(DataPacketTest, failedLoadOfTheOwnFileProtectsIt)
{
    writeFile(QStringLiteral("data/db2.xml"), "kaputt");
    EXPECT_THROW(payers().loadFromFile(), BelvantoError);
    EXPECT_TRUE(payers().isProtected());
    EXPECT_THROW(payers().insert(), BelvantoError);
    EXPECT_THROW(payers().saveToFile(), BelvantoError);
    payers().close();
    EXPECT_EQ(readFile(QStringLiteral("data/db2.xml")), "kaputt");
}

TEST_F(DataPacketTest, closeWritesOnlyChangedTablesOrMissingFiles)
{
    payers().close();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/db2.xml")))); // missing file: written empty
    writeFile(QStringLiteral("data/db2.xml"), payerPacket("<ROW ID=\"9\"/>"));
    payers().loadFromFile();
    const QByteArray before = readFile(QStringLiteral("data/db2.xml"));
    payers().close();
    EXPECT_EQ(readFile(QStringLiteral("data/db2.xml")), before); // unchanged: not written
    addPayer(10, QStringLiteral("Neu"));
    payers().close();
    EXPECT_TRUE(readFile(QStringLiteral("data/db2.xml")).contains("Name=\"Neu\""));
}

TEST_F(DataPacketTest, writeFailureIsReportedAndLeavesTheOldFile)
{
    addPayer(1, QStringLiteral("A"));
    QDir(m_dir.path()).mkpath(QStringLiteral("dir.xml"));
    try {
        payers().saveToFile(path(QStringLiteral("dir.xml")));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("kann nicht geschrieben werden")));
    }
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("dir.xml"))).isDir());
}

TEST_F(DataPacketTest, payersPacketsAreDecodedAsTheyDeclare)
{
    const QByteArray rows = "<ROW ID=\"1\" Name=\"J\xF6rg M\xFCller\" Aktives Konto=\"2\"/>";
    QByteArray latin1 = payerPacket(rows);
    latin1.replace("encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\"");
    EXPECT_EQ(loadError(latin1), QString());
    payers().first();
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Jörg Müller"));
    EXPECT_EQ(payers().asInteger(QStringLiteral("Aktives Konto")), 2);
    payers().saveToFile(path(QStringLiteral("saved.xml")));
    EXPECT_TRUE(readFile(QStringLiteral("saved.xml")).contains("Name=\"J\xC3\xB6rg M\xC3\xBCller\""));

    struct Case {
        const char *fault;
        QByteArray content;
        QString message;
    };
    const Case refused[] = {
        {"invalid UTF-8", payerPacket(rows), QStringLiteral("kein gültiger UTF-8-Text")},
        {"unsupported encoding", QByteArray(latin1).replace("ISO-8859-1", "EBCDIC-DE"),
         QStringLiteral("Zeichenkodierung „ebcdic-de“")},
    };
    for (const Case &c : refused) {
        const QString message = loadError(c.content);
        EXPECT_TRUE(message.contains(c.message)) << c.fault << ": " << message.toStdString();
    }
}

TEST_F(DataPacketTest, rowsThatNoTableCanHoldAreRefusedInLinearTime)
{
    QByteArray many = "<ROW ID=\"1\"";
    for (int i = 0; i < 80000; ++i)
        many += " A" + QByteArray::number(i) + "=\"1\"";
    many += "/>";
    struct Case {
        const char *fault;
        QByteArray rows;
        QString message;
    };
    const Case cases[] = {
        {"80,000 attributes", many, QStringLiteral("mehr Attribute, als die Tabelle Felder hat (16)")},
        {"duplicate attribute", "<ROW ID=\"1\" Name=\"A\" Name=\"B\"/>",
         QStringLiteral("„Name“ steht in einer Zeile doppelt")},
        {"NUL by reference", "<ROW ID=\"1\" Name=\"A&#0;B\"/>", QStringLiteral("„&#0;“ ist keine gültige Entität")},
    };
    for (const Case &c : cases) {
        const QString message = loadError(payerPacket(c.rows));
        EXPECT_TRUE(message.contains(c.message)) << c.fault << ": " << message.toStdString();
    }
}

TEST_F(DataPacketTest, emptyNumbersOfOtherWritersReadAsEmpty)
{
    EXPECT_EQ(loadError(payerPacket("<ROW ID=\"1\" Name=\"A\" BLZ1=\"10020030\" BLZ2=\"\" Aktives_Konto=\"\"/>")),
              QString());
    ASSERT_EQ(payers().recordCount(), 1);
    EXPECT_EQ(payers().asInteger(QStringLiteral("BLZ1")), 10020030);
    EXPECT_TRUE(payers().isNull(QStringLiteral("BLZ2")));
    EXPECT_TRUE(payers().isNull(QStringLiteral("Aktives Konto")));
}

TEST_F(DataPacketTest, modifiedRowsFindTheirOriginalThroughTheChangeLog)
{
    // Row 4 changes row 1, row 5 changes row 2; row 3 stands between them and is left alone.
    QByteArray logged = payerPacket("<ROW ID=\"1\" Name=\"Eins\" Ort=\"Bonn\" RowState=\"1\"/>"
                                    "<ROW ID=\"2\" Name=\"Zwei\" Ort=\"Köln\" RowState=\"1\"/>"
                                    "<ROW ID=\"3\" Name=\"Drei\"/>"
                                    "<ROW Name=\"Eins neu\" RowState=\"8\"/>"
                                    "<ROW Name=\"Zwei neu\" RowState=\"8\"/>");
    logged.replace("<PARAMS ", "<PARAMS CHANGE_LOG=\"1 0 1 2 0 1 4 1 8 5 2 8\" ");
    EXPECT_EQ(loadError(logged), QString());
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Eins neu", "Zwei neu", "Drei"}));
    EXPECT_EQ(walk(payers(), QStringLiteral("Ort")), (QStringList {"Bonn", "Köln", ""}));

    // Without an original and without an ID the change belongs to no record.
    const QString message = loadError(payerPacket("<ROW ID=\"3\" Name=\"Drei\"/><ROW Name=\"Waise\" RowState=\"8\"/>"));
    EXPECT_TRUE(message.contains(QStringLiteral("gehört zu keinem Datensatz"))) << message.toStdString();
}

TEST_F(DataPacketTest, fieldNamesAreEscapedOrRefused)
{
    const QList<FieldDef> writable = {{QStringLiteral("Mein Feld"), FieldType::String, 20},
                                      {QStringLiteral("Größe\U0001F600"), FieldType::Integer}};
    TableRow row {{QStringLiteral("a & \"b\""), qint32(7)}};
    DataPacket::write(path(QStringLiteral("names.xml")), writable, {&row});
    const DataPacket::Contents read = DataPacket::read(path(QStringLiteral("names.xml")));
    ASSERT_EQ(read.fields.size(), 2);
    EXPECT_EQ(read.fields.at(0).name, QStringLiteral("Mein Feld"));
    EXPECT_EQ(read.fields.at(1).name, QStringLiteral("Größe\U0001F600"));
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows.at(0)->values, row.values);

    for (const QString &name : {QStringLiteral("A\"B"), QStringLiteral("A&B"), QStringLiteral("A\rB"),
                                QStringLiteral("1A"), QString(QChar(0xD800))}) {
        const QList<FieldDef> fields = {{name, FieldType::Integer}};
        EXPECT_THROW(DataPacket::write(path(QStringLiteral("bad.xml")), fields, {}), BelvantoError)
            << name.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("bad.xml"))));
    }
}

TEST_F(DataPacketTest, devicesAndPipesAreRefusedUnread)
{
    const QString fifo = path(QStringLiteral("pipe.xml"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &file : {QStringLiteral("/dev/zero"), fifo, m_dir.path()}) {
        try {
            payers().loadFromFile(file);
            ADD_FAILURE() << file.toStdString();
        } catch (const BelvantoError &error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("keine gewöhnliche Datei")))
                << error.message().toStdString();
        }
    }
}

TEST_F(DataPacketTest, fullDiskIsNamedAndTheOldFileStays)
{
    const QString mount = path(QStringLiteral("small"));
    QDir().mkpath(mount);
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mount}) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {mount}); });
    const QString file = mount + QStringLiteral("/db2.xml");
    addPayer(1, QStringLiteral("Alt"));
    payers().saveToFile(file);
    const QByteArray old = fileContent(file);
    for (int id = 2; id < 1000; ++id)
        addPayer(id, QStringLiteral("Ein recht langer Name, damit die Datei nicht mehr passt"));
    try {
        payers().saveToFile(file);
        FAIL() << "written to a full disk";
    } catch (const BelvantoError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("der Datenträger ist voll")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("die bisherige Datei ist unverändert")));
    }
    EXPECT_EQ(fileContent(file), old);
    EXPECT_EQ(QDir(mount).entryList(QDir::Files), QStringList {QStringLiteral("db2.xml")}); // no leftovers
}

} // namespace
