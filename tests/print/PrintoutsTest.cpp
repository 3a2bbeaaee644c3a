// The run printouts and the engine's slip, printed into PDF files and read back with their positions.
#include "base/Errors.h"
#include "data/Names.h"
#include "print/EngineSlip.h"
#include "print/Printer.h"
#include "print/RunPrintouts.h"
#include "support/PdfText.h"
#include "support/TestEnvironment.h"

#include <QStorageInfo>

namespace {
// A PDF page has no unprintable border: positions on the page are the printout's.
constexpr double kMargin = 0.0;

double mm(double points)
{
    return points * 25.4 / 72.0;
}

class PrintoutsTest : public ModuleTest
{
protected:
    PdfText bookingList()
    {
        PdfPrinter pdf(path(QStringLiteral("liste.pdf")));
        EXPECT_TRUE(RunPrintouts::printBookingList(pdf, *module->ClientDataSet1));
        return readPdfText(path(QStringLiteral("liste.pdf")));
    }

    void addBookings(int count)
    {
        for (int i = 0; i < count; ++i)
            addValidBooking(QStringLiteral("Mitglied %1").arg(i), Zahlungsart::LS_Einzug, Status::Offen,
                            QDate(2026, 12, 9), 10 + i);
    }
};

TEST_F(PrintoutsTest, anEmptySelectionPrintsOnePageWithTheHead)
{
    const PdfText text = bookingList();
    ASSERT_EQ(text.pages, 1);
    EXPECT_EQ(text.readingOrder(1),
              QStringLiteral("Buchungsliste vom 09.12.2026 Nr. Name Kontonr. BLZ Verwendungszweck "
                             "Betrag Fälligkeit Zahlungsart"));
    // The title is centred on 145 mm.
    const PdfWord *title = text.find(1, QStringLiteral("Buchungsliste"));
    const PdfWord *date = text.find(1, QStringLiteral("09.12.2026"));
    ASSERT_TRUE(title && date);
    EXPECT_NEAR((mm(title->xMin) + mm(date->xMax)) / 2, 145 + kMargin, 1.0);
}

// A landscape A4 page of 210 mm printable height holds rows down to the baseline 208.5 mm: 25 rows
// from 25 mm in steps of 7.5 mm. The 26th booking starts a page of its own, with the head again.
TEST_F(PrintoutsTest, rowsFollowThePrintableHeight)
{
    EXPECT_DOUBLE_EQ(RunPrintouts::lastBaseline(210), 208.5);
    EXPECT_DOUBLE_EQ(RunPrintouts::lastBaseline(290), 270.0); // never lower than on the original pages

    addBookings(25);
    EXPECT_EQ(bookingList().pages, 1);
    addBookings(1);
    const PdfText text = bookingList();
    ASSERT_EQ(text.pages, 2);
    EXPECT_TRUE(text.readingOrder(2).startsWith(QStringLiteral("Buchungsliste vom 09.12.2026 Nr. Name")));
    EXPECT_TRUE(
        text.readingOrder(2).endsWith(QStringLiteral("Zahlungsart 1 Mitglied 0 1234567 10020030 10,00 € 09.12.2026 "
                                                     "LS_Einzug")))
        << text.readingOrder(2).toStdString();
    // Newest first, as the table shows them; the first row stands on the baseline 25 mm.
    const PdfWord *first = text.find(1, QStringLiteral("26"));
    ASSERT_TRUE(first);
    EXPECT_NEAR(mm(first->xMin), 10 + kMargin, 0.5);
    EXPECT_GT(mm(first->yMax), 25 + kMargin);
    EXPECT_LT(mm(first->yMax), 25 + kMargin + 1.2);
}

// The list goes to the bank with the file: every digit of the amount, two decimals, right-aligned.
TEST_F(PrintoutsTest, amountsArePrintedExactly)
{
    addValidBooking(QStringLiteral("Groß"), Zahlungsart::LS_Einzug, Status::Offen, QDate(2026, 12, 9), 1234567.89);
    addValidBooking(QStringLiteral("Größer"), Zahlungsart::LS_Einzug, Status::Offen, QDate(2026, 12, 9), 12345678.90);
    const PdfText text = bookingList();
    const QString page = text.readingOrder(1);
    EXPECT_TRUE(page.contains(QStringLiteral("12345678,90 €"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("1234567,89 €"))) << page.toStdString();
    for (const PdfWord &word : text.words) {
        if (word.text == QStringLiteral("€"))
            EXPECT_NEAR(mm(word.xMax), 225 + kMargin, 0.5);
    }
}

TEST_F(PrintoutsTest, aLongNameEndsBeforeTheNextColumn)
{
    addValidBooking(QStringLiteral("Förderverein der Freiwilligen Feuerwehr"), Zahlungsart::LS_Einzug, Status::Offen,
                    QDate(2026, 12, 9), 5);
    const PdfText text = bookingList();
    const PdfWord *account = text.find(1, QStringLiteral("1234567"));
    ASSERT_TRUE(account);
    for (const PdfWord &word : text.words) {
        if (word.yMin > account->yMin - 3 && word.yMax < account->yMax + 3 && word.xMin < account->xMin)
            EXPECT_LT(word.xMax, account->xMin) << word.text.toStdString();
    }
    EXPECT_TRUE(text.readingOrder(1).contains(QStringLiteral("…")));
}

TEST_F(PrintoutsTest, theSlipShowsTheResultLinesOnlyAfterARun)
{
    RunPrintouts::SlipTexts texts;
    texts.kind = QStringLiteral("Gutschriften");
    texts.fileName = QStringLiteral("/home/anna/DTAUS0");
    texts.created = QDate(2026, 12, 9);
    texts.bankCode = QStringLiteral("10020030");
    texts.account = QStringLiteral("1234567");
    texts.holder = QStringLiteral("VEREIN E.V.");
    const auto print = [&] {
        PdfPrinter pdf(path(QStringLiteral("blatt.pdf")));
        RunPrintouts::printSlip(pdf, texts);
        return readPdfText(path(QStringLiteral("blatt.pdf")));
    };
    EXPECT_EQ(print().readingOrder(1),
              QStringLiteral("DTAUS - Begleitzettel Gutschriften Dateiname: /home/anna/DTAUS0 "
                             "Erstellungsdatum: 09.12.2026 Ausführungsdatum: Bankleitzahl: 10020030 "
                             "Kontonummer: 1234567 Kontoinhaber: VEREIN E.V."));
    texts.results = {QStringLiteral("Kontrollsumme Kontonr: 1234567"), QStringLiteral("Kontrollsumme BLZ: 10020030"),
                     QStringLiteral("Satzanzahl: 1"), QStringLiteral("Gesamtsumme: 5,00 €")};
    const PdfText text = print();
    EXPECT_TRUE(text.readingOrder(1).endsWith(QStringLiteral("Satzanzahl: 1 Gesamtsumme: 5,00 €")));
    const PdfWord *count = text.find(1, QStringLiteral("Satzanzahl:"));
    ASSERT_TRUE(count);
    EXPECT_NEAR(mm(count->xMin), 10 + kMargin, 0.5);
    EXPECT_NEAR(mm(count->yMin), 110 + kMargin, 1.5); // the top of the cell at 110 mm
}

TEST_F(PrintoutsTest, theEngineSlipNamesTheFileAndTheControlSums)
{
    EngineSlip::Values values;
    values.fileName = QStringLiteral("DTAUS0.TXT");
    values.count = 2;
    values.sumCents = 123456789;
    values.sumKontonummern = 8888888;
    values.sumBankleitzahlen = 50100000;
    values.auftraggeberBLZ = 12345678;
    values.auftraggeberKontoNr = 1234567890;
    values.auftraggeberName = QStringLiteral("VEREIN E.V.");
    const auto print = [&] {
        PdfPrinter pdf(path(QStringLiteral("zettel.pdf")));
        EngineSlip::print(pdf, values);
        return readPdfText(path(QStringLiteral("zettel.pdf"))).readingOrder(1);
    };
    EXPECT_EQ(print(),
              QStringLiteral("Diskettenbegleitzettel vom 09.12.2026 Datei DTAUS0.TXT für Lastschriften "
                             "Disketten-Nr: Anzahl Datensätze C: 2 Summe Datensätze C: 1234567,89 "
                             "Summe Kontonummern: 00000000008888888 Summe Bankleitzahlen: 00000000050100000 "
                             "Bankleitzahl Absenderbank: 12345678 Kontonummer Absender: 1234567890 "
                             "Absender: VEREIN E.V. Unterschrift"));

    values = {};
    values.lastschriften = false;
    EXPECT_EQ(print(),
              QStringLiteral("Diskettenbegleitzettel vom 09.12.2026 Datei für Gutschriften (Überweisungen) "
                             "Anzahl Datensätze C: 0 Summe Datensätze C: 0,00 "
                             "Summe Kontonummern: 00000000000000000 Summe Bankleitzahlen: 00000000000000000 "
                             "Bankleitzahl Absenderbank: 0 Kontonummer Absender: 0 Absender: Unterschrift"));
}

TEST_F(PrintoutsTest, aPdfThatCannotBeWrittenIsAGermanErrorAndLeavesNothing)
{
    PdfPrinter pdf(path(QStringLiteral("fehlt/liste.pdf")));
    try {
        RunPrintouts::printBookingList(pdf, *module->ClientDataSet1);
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Die Datei „"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("kann nicht geschrieben werden")));
    }
    EXPECT_FALSE(pdf.isPrinting());
}

// The engine prints its slip at Finish when copies are asked for: one document with that many copies.
class CountingPrinter : public PdfPrinter
{
public:
    using PdfPrinter::PdfPrinter;
    void setCopyCount(int copies) override { m_copies = copies; }
    bool beginDocument() override
    {
        copiesAtBegin.append(m_copies);
        return PdfPrinter::beginDocument();
    }
    QList<int> copiesAtBegin;

private:
    int m_copies = 1;
};

TEST_F(PrintoutsTest, theEngineSlipIsPrintedAtFinishWithItsCopies)
{
    auto owned = std::make_unique<CountingPrinter>(path(QStringLiteral("zettel.pdf")));
    CountingPrinter *printer = owned.get();
    Printer::install(std::move(owned));
    EngineSlip::installForEngine();
    for (const quint32 copies : {0u, 3u}) {
        TQuennDTA engine;
        engine.SetPath(path({}));
        engine.FileName = QStringLiteral("DTAUS0.TXT");
        engine.SetAuftraggeberName(QStringLiteral("Verein"));
        engine.SetAuftraggeberBLZ(10020030);
        engine.SetAuftraggeberKontoNr(1234567);
        engine.SetAnzahlBegleitzettel(copies);
        engine.Start();
        engine.Finish();
    }
    EXPECT_EQ(printer->copiesAtBegin, QList<int> {3});
    EXPECT_EQ(printer->writtenFiles().size(), 1);
    const QString slip = readPdfText(path(QStringLiteral("zettel.pdf"))).readingOrder(1);
    // "Disketten-Nr:" names the label of the file system the file is on, empty where it has none.
    const QString label = QStorageInfo(path({})).name();
    EXPECT_TRUE(slip.contains(QStringLiteral("Datei DTAUS0.TXT für Gutschriften (Überweisungen) Disketten-Nr: ")
                              + (label.isEmpty() ? QString() : label + u' ')
                              + QStringLiteral("Anzahl Datensätze C: 0")))
        << slip.toStdString();
    TQuennBaseDTA::SetSlipPrinter({});
    Printer::install(nullptr);
}
} // namespace
