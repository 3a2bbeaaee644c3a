#include "DataPacket.h"
#include "TableFixture.h"

#include <QDir>

namespace {

class DataPacketTest : public TableTest
{
protected:
    QString loadError(const QByteArray &content)
    {
        writeFile(QStringLiteral("packet.xml"), content);
        try {
            payers().loadFromFile(path(QStringLiteral("packet.xml")));
        } catch (const BelvantoError &error) {
            return error.message();
        }
        return {};
    }

    static QByteArray payerPacket(const QByteArray &rows, const QByteArray &extraFieldAttrs = {})
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
               "<FIELD attrname=\"ID\" fieldtype=\"i4\"/><FIELD attrname=\"Name\" fieldtype=\"string\" WIDTH=\"50\"/>"
               "<FIELD attrname=\"Kontonummer1\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ1\" fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Verwendungszweck\" fieldtype=\"string\" WIDTH=\"100\"/>"
               "<FIELD attrname=\"Strasse\" fieldtype=\"string\" WIDTH=\"100\"/><FIELD attrname=\"PLZ\" fieldtype=\"string\" WIDTH=\"10\"/>"
               "<FIELD attrname=\"Ort\" fieldtype=\"string\" WIDTH=\"100\"/><FIELD attrname=\"Land\" fieldtype=\"string\" WIDTH=\"100\"/>"
               "<FIELD attrname=\"Kontonummer2\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ2\" fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Kontonummer3\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ3\" fieldtype=\"i4\"/>"
               "<FIELD attrname=\"Aktives Konto\" fieldtype=\"i4\"" + extraFieldAttrs + "/>"
               "</FIELDS><PARAMS DEFAULT_ORDER=\"1\" PRIMARY_KEY=\"1\" LCID=\"1031\"/></METADATA><ROWDATA>" + rows +
               "</ROWDATA></DATAPACKET>";
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
    EXPECT_EQ(walk(payers(), QStringLiteral("ID")), (QStringList{"1", "3", "4"}));
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
        {"mistyped field", payerPacket("").replace("attrname=\"BLZ1\" fieldtype=\"i4\"", "attrname=\"BLZ1\" fieldtype=\"string\" WIDTH=\"8\"")},
        {"non-numeric integer", payerPacket("<ROW ID=\"eins\"/>")},
        {"truncated", payerPacket("<ROW ID=\"1\"/>").left(900)},
        {"huge attribute", payerPacket("<ROW ID=\"1\" Name=\"" + bigValue + "\"/>")},
        {"unknown entity", payerPacket("<ROW ID=\"1\" Name=\"&nbsp;\"/>")},
        {"no metadata", "<DATAPACKET Version=\"2.0\"><ROWDATA/></DATAPACKET>"},
    };
    for (const Case &c : cases) {
        const QString message = loadError(c.content);
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path(QStringLiteral("packet.xml"))))) << c.fault << message.toStdString();
        EXPECT_EQ(payers().recordCount(), 0) << c.fault;
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

} // namespace
