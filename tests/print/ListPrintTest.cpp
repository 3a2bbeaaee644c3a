#include "app/MainWindowFixture.h"
#include "data/DataModule.h"
#include "listprint/buchungendrucken.h"
#include "listprint/empfdrucken.h"
#include "listprint/mandantendrucken.h"
#include "preview/PSPreview.h"
#include "preview/PSToolbar.h"
#include "preview/SystemPrinter.h"
#include "print/PJDBGrid.h"
#include "print/PrintSupport.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

// The list windows from the main menu, printing through the PDF file that stands in for a printer.
class ListPrintTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Printer::install(std::make_unique<PdfStandInPrinter>());
    }
    void TearDown() override
    {
        Printer::install(nullptr);
        MainWindowFixture::TearDown();
    }

    // Opens the window of a "Drucken" command, lets `work` use it, and closes it.
    template <typename Window> void open(QAction *command, const std::function<void(Window &)> &work)
    {
        int opened = 0;
        ModalWindows::setHandler([&](QDialog &dialog) {
            auto *window = dynamic_cast<Window *>(&dialog);
            EXPECT_TRUE(window) << dialog.windowTitle().toStdString();
            if (window) {
                ++opened;
                window->resize(900, 640);
                window->show();
                work(*window);
            }
            return int(QDialog::Rejected);
        });
        command->trigger();
        EXPECT_EQ(opened, 1);
    }

    // Prints from the toolbar into a PDF file, as a person without a printer does.
    PdfText printFromToolbar(ListPrintWindow &window)
    {
        messages.answers = {MessageService::Answer::Yes};
        FileDialogs::setNextFileName([this] { return path(QStringLiteral("liste.pdf")); });
        window.PreviewToolbar1->Button(btnPrint)->click();
        return readPdfText(path(QStringLiteral("liste.pdf")));
    }

    void screenshot(QWidget &window, const QString &name)
    {
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        EXPECT_TRUE(window.grab().save(QStringLiteral(SCREENSHOT_DIR "/") + name + QStringLiteral(".png")));
    }

    void addBookings(int count, const QDate &due)
    {
        for (int i = 1; i <= count; ++i)
            addValidBooking(QStringLiteral("Mitglied %1").arg(i), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                            due, 12.5 * i, QStringLiteral("Beitrag 2026"));
    }
};

TEST_F(ListPrintTest, thirtyOneBookingsGiveTwoPagesPrintedAsPdf)
{
    addBookings(31, QDate(2026, 12, 20));
    open<TBuchungenDruckenF>(window->Drucken3, [&](TBuchungenDruckenF &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Buchungssätze drucken"));
        EXPECT_EQ(w.Preview1->PageCount(), 2);
        EXPECT_EQ(w.Preview1->PageIndex(), 1);
        EXPECT_EQ(w.Preview1->ViewMode(), vmWholePage);
        EXPECT_TRUE(w.Preview1->Sheet()->isVisible());
        screenshot(w, QStringLiteral("buchungen-drucken"));
        const PdfText pdf = printFromToolbar(w);
        ASSERT_EQ(pdf.pages, 2);
        EXPECT_EQ(messages.shown,
                  QStringList({QStringLiteral("Frage: ") + QString::fromUtf8(PdfStandInPrinter::kQuestion)}));
        const QString first = pdf.wordsOn(1).join(u' ');
        EXPECT_TRUE(first.contains(QStringLiteral("Page 1 of 2")));
        EXPECT_TRUE(first.contains(QStringLiteral("Fälligkeit")));
        EXPECT_TRUE(first.contains(QStringLiteral("20.12.2026")));
        EXPECT_TRUE(first.contains(QStringLiteral("387,50 €"))) << first.toStdString(); // the newest first
        // one row on the second page: the oldest booking
        EXPECT_EQ(pdf.wordsOn(2).filter(QStringLiteral("Mitglied")).size(), 1);
        EXPECT_TRUE(pdf.wordsOn(2).contains(QStringLiteral("12,50")));
        // landscape, and the title row below the top edge
        EXPECT_GT(pdf.pageWidth, 800);
        EXPECT_GT(pdf.find(1, QStringLiteral("Fälligkeit"))->yMin, 5);
    });
}

TEST_F(ListPrintTest, progressWindowStopsTheRunAfterThePageBeingPrinted)
{
    addBookings(65, QDate(2026, 12, 20));
    open<TBuchungenDruckenF>(window->Drucken3, [&](TBuchungenDruckenF &w) {
        QStringList labels;
        // a person presses "Abbrechen" while the first page is reported
        QTimer::singleShot(0, &w, [&] {
            auto *progress = w.findChild<QProgressDialog *>();
            ASSERT_TRUE(progress);
            labels.append(progress->labelText());
            progress->findChild<QPushButton *>()->click();
        });
        const PdfText pdf = printFromToolbar(w);
        EXPECT_EQ(pdf.pages, 1);
        EXPECT_EQ(labels, QStringList({QStringLiteral("Seite 1 von 3 ist gedruckt.")}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(w.findChild<QProgressDialog *>(), nullptr);
        // the next run prints every page
        EXPECT_EQ(printFromToolbar(w).pages, 3);
    });
}

TEST_F(ListPrintTest, declinedPdfPrintsNothing)
{
    addBookings(2, QDate(2026, 12, 20));
    open<TBuchungenDruckenF>(window->Drucken3, [&](TBuchungenDruckenF &w) {
        messages.answers = {MessageService::Answer::No};
        w.PreviewToolbar1->Button(btnPrint)->click();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("liste.pdf"))));
    });
}

TEST_F(ListPrintTest, dueTodayWithNothingDueGivesOnePageWithTheTitleRow)
{
    addBookings(3, QDate(2026, 12, 20));
    window->SpeedButton4->click();
    open<TBuchungenDruckenF>(window->Drucken3, [&](TBuchungenDruckenF &w) {
        EXPECT_EQ(w.Preview1->PageCount(), 1);
        const PdfText pdf = printFromToolbar(w);
        ASSERT_EQ(pdf.pages, 1);
        EXPECT_TRUE(pdf.wordsOn(1).contains(QStringLiteral("Zahlungsart")));
        EXPECT_TRUE(pdf.wordsOn(1).filter(QStringLiteral("Mitglied")).isEmpty());
    });
}

TEST_F(ListPrintTest, payersAndClientsListTheirVisibleFields)
{
    Table &payers = *module->ClientDataSet2;
    for (const char *name : {"Müller, Hans", "Sportverein Grün-Weiß e.V."}) {
        payers.insert();
        payers.setAsString(QStringLiteral("Name"), QString::fromUtf8(name));
        payers.setAsString(QStringLiteral("Ort"), QStringLiteral("München"));
        payers.setAsString(QStringLiteral("Land"), QStringLiteral("Deutschland"));
        payers.post();
    }
    open<TempfdruckenF>(window->Drucken1, [&](TempfdruckenF &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Zahlungspflichtige/Empfänger drucken"));
        EXPECT_EQ(w.DBGridPrintJob->ColCount(), 16);
        screenshot(w, QStringLiteral("empfaenger-drucken"));
        const PdfText pdf = printFromToolbar(w);
        const QStringList words = pdf.wordsOn(1);
        EXPECT_TRUE(words.contains(QStringLiteral("Hans"))) << words.join(u' ').toStdString();
        EXPECT_TRUE(words.contains(QStringLiteral("Verwendungszweck")));
        EXPECT_FALSE(words.contains(QStringLiteral("Deutschland")));
        // the footer is high enough for its page numbers
        EXPECT_TRUE(words.join(u' ').contains(QStringLiteral("Page 1 of 1")));
    });
    open<TMandantenDruckenF>(window->Drucken2, [&](TMandantenDruckenF &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Mandanten drucken"));
        EXPECT_EQ(w.DBGridPrintJob->ColCount(), 15);
        screenshot(w, QStringLiteral("mandanten-drucken"));
    });
}

TEST_F(ListPrintTest, marginsMoveToThePrintableAreaOfARealPrinter)
{
    // a printer that cannot print the outer 100 pixels
    Printer::install(std::make_unique<RecordingPrinter>(QSize(2480, 3508), QPoint(100, 100), QSize(2280, 3308), 300));
    open<TBuchungenDruckenF>(window->Drucken3, [&](TBuchungenDruckenF &w) {
        const TRect margins = w.DBGridPrintJob->GetMarginsRect();
        EXPECT_EQ(margins, (TRect {100, 100, 3508 - 100, 2480 - 100}));
        EXPECT_EQ(w.DBGridPrintJob->GetHeaderRect().Height(), 142); // 12 mm
        EXPECT_EQ(w.DBGridPrintJob->GetFooterRect().Height(), 90); // 0.3 inch
    });
}

} // namespace
