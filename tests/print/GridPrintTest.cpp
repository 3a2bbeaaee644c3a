#include "print/PJDBGrid.h"
#include "print/PrintSupport.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class GridJob : public TDBGridPrintJob
{
public:
    using TDBGridPrintJob::GetColWidth;
};

class GridPrintTest : public BelvantoTest
{
protected:
    void SetUp() override
    {
        BelvantoTest::SetUp();
        table.setFields({{QStringLiteral("ID"), FieldType::Integer, 0, {}, 6, true},
                         {QStringLiteral("Name"), FieldType::String, 120, QStringLiteral("Name des Kunden"), 15, true},
                         {QStringLiteral("Land"), FieldType::String, 2, {}, 40, false},
                         {QStringLiteral("Art"), FieldType::String, 5, {}, 3, true}});
    }
    void TearDown() override
    {
        Printer::install(nullptr);
        BelvantoTest::TearDown();
    }
    void addRows(int count, const QString &name = QStringLiteral("Kunde"))
    {
        for (int i = 1; i <= count; ++i) {
            table.insert();
            table.setAsInteger(QStringLiteral("ID"), ++m_lastId);
            table.setAsString(QStringLiteral("Name"), name);
            table.setAsString(QStringLiteral("Land"), QStringLiteral("XX"));
            table.setAsString(QStringLiteral("Art"), QStringLiteral("A"));
            table.post();
        }
    }
    // The job prints onto a PDF file with a paper 2400 pixels wide at 300 per inch.
    PdfText printToPdf(GridJob &job)
    {
        job.Print();
        return readPdfText(path(QStringLiteral("grid.pdf")));
    }
    void setUpJob(GridJob &job)
    {
        Printer::install(std::make_unique<PdfPrinter>(path(QStringLiteral("grid.pdf")), QPageSize::A4, 300));
        job.SetOptions(joHeader | joFooter);
        job.SetHeader(100);
        job.SetFooter(100);
        job.SetRowsPerPage(30);
        job.SetDataSource(&table);
    }

    Table table {QStringLiteral("test")};
    int m_lastId = 0;
};

TEST_F(GridPrintTest, pagesHoldRowsPerPageRecordsAndTheFooterCountsThem)
{
    addRows(65);
    GridJob job;
    setUpJob(job);
    EXPECT_EQ(job.PageCount(), 3);
    EXPECT_EQ(job.PageRows(3), std::make_pair(60, 65));
    const PdfText pdf = printToPdf(job);
    ASSERT_EQ(pdf.pages, 3);
    const QStringList third = pdf.wordsOn(3);
    EXPECT_TRUE(third.contains(QStringLiteral("61")));
    EXPECT_TRUE(third.contains(QStringLiteral("65")));
    EXPECT_FALSE(third.contains(QStringLiteral("60")));
    EXPECT_TRUE(pdf.wordsOn(2).join(u' ').contains(QStringLiteral("Page 2 of 3")));
    // the footer stands right-aligned at the right edge, below the rows
    const PdfWord *count = pdf.find(2, QStringLiteral("3"));
    ASSERT_TRUE(count);
    EXPECT_NEAR(count->xMax, pdf.pageWidth, 15);
    EXPECT_GT(count->yMin, pdf.find(2, QStringLiteral("60"))->yMax);
    // the title row heads every page, the hidden field nowhere
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(pdf.wordsOn(page).contains(QStringLiteral("Kunden")));
        EXPECT_FALSE(pdf.wordsOn(page).contains(QStringLiteral("XX")));
        EXPECT_FALSE(pdf.wordsOn(page).contains(QStringLiteral("Land")));
    }
}

TEST_F(GridPrintTest, columnsShareThePageByDisplayWidthWithoutHiddenFields)
{
    Printer::install(std::make_unique<RecordingPrinter>(QSize(2400, 3000)));
    GridJob job;
    job.SetDataSource(&table);
    QPicture picture;
    QPainter painter(&picture);
    EXPECT_EQ(job.ColCount(), 3);
    EXPECT_EQ(job.GetColWidth(painter, 0), 599);
    EXPECT_EQ(job.GetColWidth(painter, 1), 1499);
    EXPECT_EQ(job.GetColWidth(painter, 2), 299);
    EXPECT_EQ(job.GetColWidth(painter, 3), 0);
    job.SetDataSource(nullptr);
    EXPECT_EQ(job.GetColWidth(painter, 0), 100);
}

TEST_F(GridPrintTest, rowsFollowTheTableAndItsFilter)
{
    addRows(31);
    GridJob job;
    setUpJob(job);
    EXPECT_EQ(job.PageCount(), 2);
    table.setFilter(QStringLiteral("Art = 'B'"));
    table.setFiltered(true);
    EXPECT_EQ(job.PageCount(), 1);
    EXPECT_EQ(job.RowCount(), 1); // an empty view still shows one row
    table.setFiltered(false);
    addRows(30);
    EXPECT_EQ(job.PageCount(), 3);
}

TEST_F(GridPrintTest, anEmptyTableGivesOnePageWithTheTitleRow)
{
    GridJob job;
    setUpJob(job);
    job.SetIndexColumn(true);
    job.SetIndexStart(7);
    EXPECT_EQ(job.PageCount(), 1);
    const PdfText pdf = printToPdf(job);
    ASSERT_EQ(pdf.pages, 1);
    const QStringList words = pdf.wordsOn(1);
    for (const char *word : {"#", "ID", "Name", "des", "Kunden", "Art", "7", "Page", "1", "of"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(word))) << word;
    EXPECT_EQ(words.size(), 11); // nothing else: one empty row
}

TEST_F(GridPrintTest, textWiderThanItsCellEndsInAnEllipsis)
{
    addRows(1,
            QStringLiteral(
                "Gemeinnütziger Förderverein der Freiwilligen Feuerwehr Unterschleißheim-Lohhof und Umgebung e.V."));
    GridJob job;
    setUpJob(job);
    const PdfText pdf = printToPdf(job);
    const QString line = pdf.wordsOn(1).join(u' ');
    EXPECT_TRUE(line.contains(QStringLiteral("Gemeinnütziger"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("…"))) << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral("Lohhof")));
    // numbers stand at the right edge of their cell, text at the left
    const PdfWord *id = pdf.find(1, QStringLiteral("1"));
    const PdfWord *name = pdf.find(1, QStringLiteral("Gemeinnütziger"));
    ASSERT_TRUE(id && name);
    EXPECT_GT(id->xMin, pdf.pageWidth * 6 / 24 / 2);
    EXPECT_LT(name->xMin, pdf.pageWidth * 6 / 24 + 20);
}

} // namespace
