#include "print/Printer.h"
#include "print/PrintSupport.h"
#include "print/PSJob.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class PrintJobTest : public BelvantoTest
{
protected:
    RecordingPrinter &install(RecordingPrinter *printer)
    {
        Printer::install(std::unique_ptr<PrinterDevice>(printer));
        return *printer;
    }
    void TearDown() override
    {
        Printer::install(nullptr);
        BelvantoTest::TearDown();
    }
};

TEST_F(PrintJobTest, convertsBetweenUnitsRoundingAsTheLayoutDoes)
{
    install(new RecordingPrinter({4960, 7016}, {}, {}, 600));
    TCustomPrintJob job;
    EXPECT_EQ(job.Convert(12, unMillimeters, unPixels, 0, TAxis::Horizontal), 283);
    EXPECT_DOUBLE_EQ(job.Convert(283, unPixels, unMillimeters, 0, TAxis::Horizontal), 11.98);
    EXPECT_DOUBLE_EQ(job.Convert(0.3, unInches, unPixels, 0, TAxis::Vertical), 180);
    EXPECT_DOUBLE_EQ(job.Convert(50, unPercents, unPixels, 4960, TAxis::Horizontal), 2480);
    EXPECT_DOUBLE_EQ(job.Convert(2480, unPixels, unPercents, 4960, TAxis::Horizontal), 50);
    EXPECT_DOUBLE_EQ(job.Convert(10, unPixels, unPercents, 0, TAxis::Horizontal), 0); // no reference, no division
    EXPECT_DOUBLE_EQ(job.Convert(2.5, unPixels, unPixels, 0, TAxis::Horizontal), 2); // half to even
}

TEST_F(PrintJobTest, withoutPrinterThePaperIs2000By3000)
{
    TCustomPrintJob job;
    EXPECT_FALSE(job.HasPrinter());
    EXPECT_EQ(job.GetPaperRect(), (TRect {0, 0, 2000, 3000}));
    EXPECT_EQ(job.ResolutionX(), 300);
    job.SetPageWidth(10);
    EXPECT_EQ(job.PageWidth(), 2000);
}

TEST_F(PrintJobTest, areasFollowOptionsAndMargins)
{
    install(new RecordingPrinter({2400, 3000}, {}, {}, 600));
    TCustomPrintJob job;
    job.SetMarginsUnits(unPixels);
    job.SetMargins({100, 50, 200, 70});
    job.SetHeader(300);
    job.SetFooter(100);
    job.SetOptions(joHeader | joFooter);
    // without joMargins the page starts at the paper's edge whatever the margins hold
    EXPECT_EQ(job.GetHeaderRect(), (TRect {0, 0, 2400, 300}));
    EXPECT_EQ(job.GetPageRect(), (TRect {0, 300, 2400, 2900}));
    job.SetOptions(joMargins | joHeader | joFooter);
    EXPECT_EQ(job.GetMarginsRect(), (TRect {100, 50, 2200, 2930}));
    EXPECT_EQ(job.GetHeaderRect(), (TRect {100, 50, 2200, 350}));
    EXPECT_EQ(job.GetFooterRect(), (TRect {100, 2830, 2200, 2930}));
    EXPECT_EQ(job.GetPageRect(), (TRect {100, 350, 2200, 2830}));
    job.SetOptions(joMargins);
    EXPECT_EQ(job.GetHeaderRect(), TRect {});
    EXPECT_EQ(job.GetPageRect(), job.GetMarginsRect());
}

TEST_F(PrintJobTest, pageSizeComesFromThePrinterInDefaultMode)
{
    RecordingPrinter &printer = install(new RecordingPrinter({2400, 3000}, {}, {}, 600));
    TCustomPrintJob job;
    job.SetPageWidth(10);
    EXPECT_EQ(job.PageWidth(), 2400);
    job.SetOrientation(orLandscape);
    EXPECT_TRUE(printer.landscape);
    EXPECT_EQ(job.PageWidth(), 3000);
    job.SetPageUnits(unMillimeters);
    EXPECT_DOUBLE_EQ(job.PageHeight(), 101.6);
    job.SetPageMode(pmCustom);
    job.SetPageWidth(100);
    EXPECT_EQ(job.PageWidth(), 100);
    EXPECT_EQ(job.GetPaperRect().Width(), 2362);
}

// A printer that cannot print the outer 60 (left), 40 (top), 80 (right) and 100 (bottom) pixels.
RecordingPrinter *printerWithStrips()
{
    return new RecordingPrinter({2400, 3000}, {60, 40}, {2400 - 60 - 80, 3000 - 40 - 100}, 600);
}

TEST_F(PrintJobTest, marginsOutsideThePrintableAreaAreFixedAsTheModeSays)
{
    install(printerWithStrips());
    ScriptedMessages messages;
    TCustomPrintJob job;
    job.SetOptions(joMargins);
    job.SetMarginsError(meAutoFix);
    job.SetMargins({10, 200, 10, 10});
    EXPECT_EQ(job.Margins(), (TMargins {60, 200, 80, 100})); // the top was inside and stays
    EXPECT_TRUE(messages.shown.isEmpty());

    job.SetMarginsError(meException);
    try {
        job.SetMargins({0, 0, 0, 0});
        FAIL() << "no exception";
    } catch (const EPrintJobException &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("One or more margins are set outside the printable area of the page."));
    }

    job.SetMarginsError(meMessageBox);
    messages.answers = {MessageService::Answer::No, MessageService::Answer::No}; // asked again by the update
    job.SetMargins({0, 0, 0, 0});
    EXPECT_EQ(job.Margins(), TMargins {});
    messages.answers = {MessageService::Answer::Yes};
    job.SetMargins({0, 0, 100, 0});
    EXPECT_EQ(job.Margins(), (TMargins {60, 40, 100, 100}));
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown.at(0),
              QStringLiteral("Frage: One or more margins are set outside the printable area of "
                             "the page.\rDo you want to fix them?"));
}

TEST_F(PrintJobTest, printingShiftsTheMarginsRectangleToThePaperCorner)
{
    install(printerWithStrips());
    TCustomPrintJob job;
    job.SetOptions(joMargins);
    job.SetMarginsError(meNone);
    job.SetMargins({100, 100, 100, 100});
    TRect printed;
    job.OnDraw = [&](TCustomPrintJob &, QPainter &, int, const TRect &rect, TDrawArea, TDrawTarget) { printed = rect; };
    job.SetDefaultDrawing(0);
    job.Print();
    EXPECT_EQ(printed, (TRect {40, 60, 2240, 2860}));
    QPicture picture;
    QPainter painter(&picture);
    job.DrawToCanvas(painter, 1);
    EXPECT_EQ(printed, (TRect {100, 100, 2300, 2900}));
}

// A job of five pages that records the page events.
class PagedJob : public TCustomPrintJob
{
public:
    PagedJob(int pages)
    {
        SetPageCount(pages);
        OnStartPrintPage = [this](TCustomPrintJob &, int page) { events.append(QStringLiteral("page %1").arg(page)); };
        OnPrintProgress = [this](TCustomPrintJob &, int pos, int min, int max) {
            events.append(QStringLiteral("progress %1 %2 %3").arg(pos).arg(min).arg(max));
        };
    }
    QStringList events;
};

TEST_F(PrintJobTest, multiDocPrintsEveryPageAsADocumentOfItsOwn)
{
    RecordingPrinter &printer = install(new RecordingPrinter);
    PagedJob job(3);
    job.SetTitle(QStringLiteral("Liste"));
    job.SetMultiDoc(true);
    job.Print();
    EXPECT_EQ(printer.calls.join(u','), QStringLiteral("title Liste,begin,end,begin,end,begin,end"));
}

TEST_F(PrintJobTest, abortDuringPageTwoEndsTheRunAfterItAndTheNextRunIsWhole)
{
    RecordingPrinter &printer = install(new RecordingPrinter);
    PagedJob job(5);
    job.OnEndPrintPage = [](TCustomPrintJob &self, int page) {
        if (page == 2)
            self.AbortPrint();
    };
    job.Print();
    EXPECT_EQ(job.events.join(u','), QStringLiteral("page 1,progress 1 1 5,page 2,progress 2 1 5"));
    // no empty sheet after the last page printed
    EXPECT_EQ(printer.calls.join(u','), QStringLiteral("title ,begin,new page,end"));

    job.OnEndPrintPage = nullptr;
    job.events.clear();
    printer.calls.clear();
    job.Print();
    EXPECT_EQ(job.events.filter(QStringLiteral("page")).size(), 5);
    EXPECT_EQ(printer.calls.count(QStringLiteral("new page")), 4);
}

TEST_F(PrintJobTest, canPrintMayVetoAndARangePrintsOnlyItsPages)
{
    RecordingPrinter &printer = install(new RecordingPrinter);
    PagedJob job(5);
    job.OnCanPrint = [](bool &allowed) { allowed = false; };
    job.Print();
    EXPECT_TRUE(printer.calls.isEmpty());
    job.OnCanPrint = nullptr;
    job.PrintRange(2, 3, false);
    EXPECT_EQ(job.events.join(u','), QStringLiteral("page 2,progress 1 1 2,page 3,progress 2 1 2"));
}

TEST_F(PrintJobTest, pdfPrinterWritesTheFileWholeAndNamesAFailure)
{
    auto *pdf = new PdfPrinter(path(QStringLiteral("liste.pdf")));
    Printer::install(std::unique_ptr<PrinterDevice>(pdf));
    PagedJob job(2);
    job.SetMultiDoc(true);
    job.Print();
    EXPECT_EQ(pdf->writtenFiles(),
              QStringList({path(QStringLiteral("liste.pdf")), path(QStringLiteral("liste-2.pdf"))}));
    EXPECT_EQ(readPdfText(path(QStringLiteral("liste.pdf"))).pages, 1);

    pdf->setFileName(path(QStringLiteral("fehlt/liste.pdf")));
    try {
        job.Print();
        FAIL() << "no error";
    } catch (const BelvantoError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Die Datei „"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("gibt es nicht")));
    }
    EXPECT_FALSE(pdf->isPrinting());
}

} // namespace
