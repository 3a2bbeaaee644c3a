// belvanto-cli print: the list printouts as PDF files.
#include "cli/CliFixture.h"
#include "support/PdfText.h"

namespace {

class PrintCliTest : public CliTest
{
protected:
    Result print(const QString &list, const QStringList &more = {})
    {
        return run(QStringList {QStringLiteral("print"), list, QStringLiteral("--pdf"),
                                path(QStringLiteral("liste.pdf")), QStringLiteral("--data-dir"), data}
                   + more);
    }
    void SetUp() override
    {
        CliTest::SetUp();
        data = importedData();
    }
    QString data;
};

TEST_F(PrintCliTest, listsBecomeLandscapePdfPagesAndTheCountComesLast)
{
    Result result = print(QStringLiteral("bookings"));
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("pages=1\n"))) << result.out.toStdString();
    PdfText pdf = readPdfText(path(QStringLiteral("liste.pdf")));
    ASSERT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageWidth, 842, 1); // A4 across
    QString text = pdf.wordsOn(1).join(u' ');
    for (const char *expected : {"MÜLLER", "SCHMIDT", "Verwendungszweck", "MITG…", "12,50 €", "Page 1 of 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << " in " << text.toStdString();

    result = print(QStringLiteral("payers"), {QStringLiteral("--paper"), QStringLiteral("Letter")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    pdf = readPdfText(path(QStringLiteral("liste.pdf")));
    EXPECT_NEAR(pdf.pageWidth, 792, 1);
    text = pdf.wordsOn(1).join(u' ');
    EXPECT_TRUE(text.contains(QStringLiteral("Kontonum…"))) << text.toStdString(); // 10 of 180 width units
    EXPECT_TRUE(text.contains(QStringLiteral("SCHMIDT")));

    result = print(QStringLiteral("clients"));
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(
        readPdfText(path(QStringLiteral("liste.pdf"))).wordsOn(1).join(u' ').contains(QStringLiteral("VEREIN")));

    // the imported bookings fall due today
    result = print(QStringLiteral("bookings"), {QStringLiteral("--due-today")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(readPdfText(path(QStringLiteral("liste.pdf"))).wordsOn(1).contains(QStringLiteral("SCHMIDT")));
}

TEST_F(PrintCliTest, aFileThatCannotBeWrittenIsNamedInGerman)
{
    const Result result = run(
        {"print", "clients", "--pdf", path(QStringLiteral("fehlt/liste.pdf")), "--data-dir", data});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("kann nicht geschrieben werden"))) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(run({"print", "accounts", "--pdf", path(QStringLiteral("x.pdf"))}).exitCode, 2);
    EXPECT_EQ(run({"print", "clients", "--pdf", path(QStringLiteral("x.pdf")), "--paper", "A3"}).exitCode, 2);
    EXPECT_EQ(run({"print", "clients", "--pdf", path(QStringLiteral("daten/db3.xml")), "--data-dir", data}).exitCode,
              1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.pdf"))));
}

} // namespace
