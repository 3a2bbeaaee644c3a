#include "ops/TextImport.h"
#include "ops/DelimitedText.h"

#include "data/DataModule.h"
#include "data/INI.h"
#include "support/TestEnvironment.h"

#include <QBuffer>

namespace {

using DelimitedText::Encoding;
using DelimitedText::Format;

QList<QStringList> rowsOf(const QString &text, QChar separator, QChar qualifier = {})
{
    const DelimitedText::Table table = DelimitedText::parse(text, {separator, qualifier, Encoding::Auto});
    return QList<QStringList>(table.rows.begin(), table.rows.end());
}

TEST(DelimitedTextTest, fieldsAsTheFormatHasAlwaysSplitThem)
{
    struct Case {
        const char *text;
        QChar qualifier;
        QList<QStringList> rows;
    };
    const QList<Case> cases {
        {"a;'b;c';d", u'\'', {{"a", "b;c", "d"}}},
        {"a;'b;c';d", {}, {{"a", "'b", "c'", "d"}}},
        {"'x''y'", u'\'', {{"xy"}}}, // a doubled qualifier yields nothing
        {"1;2;", {}, {{"1", "2", ""}}}, // a separator at the end: one more, empty field
        {" a ; b ", {}, {{" a ", " b "}}}, // nothing is trimmed
        {"a\r\n\r\nb\n", {}, {{"a"}, {""}, {"b"}}}, // CR LF and LF; an empty line is one empty field
        {"'a;\nb;c';d", u'\'', {{"a;"}, {"b;c", "d"}}}, // an open qualifier carries into the next line
        {"a;b\x1a"
         "c;d",
         {},
         {{"a", "b"}}}, // Ctrl-Z ends the file
        {"", {}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rowsOf(QString::fromUtf8(c.text), u';', c.qualifier), c.rows) << c.text;

    const DelimitedText::Table uneven = DelimitedText::parse(QStringLiteral("a\tb\n1\t2\t3\t4\t5\nx\ty\tz"), {});
    EXPECT_EQ(uneven.width, 5);
    EXPECT_EQ(uneven.cell(4, 0), QString()); // shorter rows end in empty cells
    EXPECT_EQ(uneven.cell(2, 2), QStringLiteral("z"));
}

TEST(DelimitedTextTest, umlautsOfUtf8AndWindows1252Files)
{
    const QString expected = QStringLiteral("Jörg;Müßig");
    const QByteArray utf8 = expected.toUtf8();
    const QByteArray windows1252("J\xF6rg;M\xFC\xDFig");
    EXPECT_EQ(DelimitedText::decode(utf8, Encoding::Auto), expected);
    EXPECT_EQ(DelimitedText::decode("\xEF\xBB\xBF" + utf8, Encoding::Auto), expected); // the mark is no text
    EXPECT_EQ(DelimitedText::decode(windows1252, Encoding::Auto), expected);
    EXPECT_EQ(DelimitedText::decode("\x80 5", Encoding::Auto), QStringLiteral("€ 5"));
    EXPECT_EQ(DelimitedText::decode(utf8, Encoding::Windows1252), QStringLiteral("JÃ¶rg;MÃ¼ÃŸig")); // as asked
    QBuffer file;
    file.setData("\xEF\xBB\xBF"
                 "Name;Ort\r\nJ\xC3\xB6rg;K\xC3\xB6ln\r\n");
    file.open(QIODevice::ReadOnly);
    const DelimitedText::Table table = DelimitedText::read(file, {u';', {}, Encoding::Auto});
    EXPECT_EQ(table.cell(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(table.cell(1, 1), QStringLiteral("Köln"));
}

class TextImportTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        module->OpenDataFiles();
    }

    TextImport::Result import(TextImport::Target target, const QString &text, const QList<int> &columns,
                              bool titleRow = false)
    {
        TextImport::Settings settings;
        settings.target = target;
        settings.columnOfField = columns;
        settings.titleRow = titleRow;
        settings.due = QDate(2027, 3, 1);
        settings.gutschriften = true;
        return TextImport::Run(*module, DelimitedText::parse(text, {u';', {}, Encoding::Auto}), settings);
    }

    QStringList column(Table &table, const QString &field)
    {
        QStringList values;
        for (int i = 0; i < table.recordCount(); ++i)
            values << table.asStringAt(i, table.fieldIndex(field));
        return values;
    }

    ScriptedMessages messages;
};

TEST_F(TextImportTest, payersTakeTheirFieldsAsTheFieldListSays)
{
    const QString purpose60 = QString(60, u'x');
    // Name, Kontonummer 1, BLZ 1, Verwendungszweck, …, Aktives Konto
    const QList<int> columns {0, 1, 2, 3, -1, -1, -1, -1, -1, -1, -1, -1, 4};
    const QString text = QStringLiteral("Anna;111;12A;%1;4\nBernd;222;10020030;%2; 2\nClara;333;20030040;kurz;3")
                             .arg(QString(27, u'a'), purpose60);
    const TextImport::Result result = import(TextImport::Target::Payers, text, columns);
    EXPECT_EQ(result.added, 3);
    Table &payers = *module->ClientDataSet2;
    EXPECT_EQ(column(payers, QStringLiteral("Name")), (QStringList {"Anna", "Bernd", "Clara"}));
    EXPECT_EQ(column(payers, QStringLiteral("BLZ1")), (QStringList {"", "10020030", "20030040"})); // «12A»: empty
    EXPECT_EQ(column(payers, QStringLiteral("Aktives Konto")), (QStringList {"1", "1", "3"})); // «4», « 2»: 1
    EXPECT_EQ(column(payers, QStringLiteral("Verwendungszweck")),
              (QStringList {QString(27, u'a') + "\r\n",
                            QString(27, u'x') + "\r\n" + QString(27, u'x') + "\r\n" + "xxxxxx", "kurz"}));
    EXPECT_EQ(column(payers, QStringLiteral("Ort")), (QStringList {"", "", ""})); // not paired

    // "OK" again imports everything again, with new numbers; a title row of a one-line file: nothing.
    import(TextImport::Target::Payers, text, columns);
    EXPECT_EQ(column(payers, QStringLiteral("ID")), (QStringList {"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastEmpfID")), 6); // written once per import, not lost
    EXPECT_EQ(import(TextImport::Target::Payers, QStringLiteral("Name"), columns, true).added, 0);
    EXPECT_EQ(messages.shown, QStringList());
}

TEST_F(TextImportTest, bookingsGetStateKindAndDates)
{
    const TextImport::Result result =
        import(TextImport::Target::Bookings,
               QStringLiteral(
                   "Name;Konto;BLZ;Zweck;Betrag\nA;1234567;10020030;x;12,5\nB;7654321;10020030;y;1\nC;99;10020030;z;3"),
               {0, 1, 2, 3, 4}, true);
    EXPECT_EQ(result.added, 3);
    Table &bookings = *module->ClientDataSet1;
    EXPECT_EQ(column(bookings, QStringLiteral("Name")), (QStringList {"C", "B", "A"}));
    EXPECT_EQ(column(bookings, QStringLiteral("Betrag")), (QStringList {"3,00", "1,00", "12,50"}));
    EXPECT_EQ(column(bookings, QStringLiteral("Status")), QStringList(3, QStringLiteral("offen")));
    EXPECT_EQ(column(bookings, QStringLiteral("Zahlungsart")), QStringList(3, QStringLiteral("GS_Ueberweisung")));
    EXPECT_EQ(column(bookings, QStringLiteral("Faelligkeit")), QStringList(3, QStringLiteral("01.03.2027")));
    EXPECT_EQ(column(bookings, QStringLiteral("Erstellungsdatum")), QStringList(3, QStringLiteral("09.12.2026")));
    EXPECT_EQ(module->LetzteArt, 2);
}

TEST_F(TextImportTest, aRefusedLineEndsTheImportAndLeavesNoOpenEntry)
{
    Table &bookings = *module->ClientDataSet1;
    // The second of five lines has no bank code.
    const QString lines = QStringLiteral("A;1234567;10020030;x;1\nB;1234567;;x;1\nC;1234567;10020030;x;1\n"
                                         "D;1234567;10020030;x;1\nE;1234567;10020030;x;1");
    TextImport::Result result = import(TextImport::Target::Bookings, lines, {0, 1, 2, 3, 4});
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.stoppedAtRow, 1);
    EXPECT_EQ(messages.shown, QStringList {QStringLiteral("Fehler: BLZ fehlerhaft")});
    EXPECT_EQ(bookings.state(), Table::State::Browse);
    EXPECT_EQ(bookings.recordCount(), 1);
    EXPECT_EQ(TextImport::SummaryText(TextImport::Target::Bookings, result),
              QStringLiteral("Der Import endete in Zeile 2. Importiert: 1 Buchungssatz."));

    // An amount in another notation stops with the conversion message and how far it came.
    result = import(TextImport::Target::Bookings, QStringLiteral("A;1234567;10020030;x;5\nB;1234567;10020030;x;12.50"),
                    {0, 1, 2, 3, 4});
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.message,
              QStringLiteral("'12.50' ist kein gültiger Gleitkommawert.\r\n\r\nDer Import endete in "
                             "Zeile 2. Importiert: 1 Buchungssatz."));
    EXPECT_EQ(bookings.state(), Table::State::Browse);
    EXPECT_EQ(bookings.recordCount(), 2);

    // A field left unpaired (here the amount) stops at the first line.
    result = import(TextImport::Target::Bookings, QStringLiteral("A;1234567;10020030;x;5"), {0, 1, 2, 3, -1});
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(messages.shown.last(), QStringLiteral("Fehler: Betrag fehlerhaft"));
}

} // namespace
