#include "preview/PSCombo.h"
#include "preview/PSPreview.h"
#include "preview/PSToolbar.h"
#include "print/PJDBGrid.h"
#include "print/PrintSupport.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

class PreviewTest : public BelvantoTest
{
protected:
    void SetUp() override
    {
        BelvantoTest::SetUp();
        Printer::install(std::make_unique<PdfPrinter>(path(QStringLiteral("p.pdf"))));
        table.setFields({{QStringLiteral("ID"), FieldType::Integer, 0, {}, 6, true}});
        job.SetRowsPerPage(30);
        job.SetDataSource(&table);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&toolbar);
        layout->addWidget(&preview);
        window.resize(800, 600);
        preview.SetPrintJob(&job);
        toolbar.SetPreview(&preview);
        window.show();
    }
    void TearDown() override
    {
        Printer::install(nullptr);
        BelvantoTest::TearDown();
    }
    void addRows(int count)
    {
        for (int i = 0; i < count; ++i) {
            table.insert();
            table.setAsInteger(QStringLiteral("ID"), i + 1);
            table.post();
        }
    }
    bool enabled(TButtonKind kind) const { return toolbar.Button(kind)->isEnabled(); }

    Table table {QStringLiteral("test")};
    TDBGridPrintJob job;
    QWidget window;
    TPreviewToolbar toolbar;
    TPreview preview;
    ScriptedMessages messages;
};

TEST_F(PreviewTest, zoomStepsAroundTheScale)
{
    preview.SetViewMode(vmCustom);
    preview.SetViewScale(69);
    preview.ZoomIn();
    EXPECT_EQ(preview.ViewScale(), 75);
    preview.SetViewScale(69);
    preview.ZoomOut();
    EXPECT_EQ(preview.ViewScale(), 50);
    preview.SetViewScale(10);
    preview.ZoomOut();
    EXPECT_EQ(preview.ViewScale(), 10);
    EXPECT_FALSE(enabled(btnZoomOut));
    preview.SetViewScale(5000);
    EXPECT_EQ(preview.ViewScale(), 1000);
    toolbar.RefreshStates();
    EXPECT_FALSE(enabled(btnZoomIn));
    EXPECT_TRUE(enabled(btnZoomOut));
}

TEST_F(PreviewTest, fittedModesComputeTheScaleAndTheBoxShowsIt)
{
    TPreviewComboBox &box = *toolbar.ScaleBoxControl();
    EXPECT_EQ(preview.ViewMode(), vmWholePage);
    EXPECT_GT(preview.ViewScale(), 10);
    EXPECT_EQ(box.currentText(), QStringLiteral("Whole page (%1%)").arg(preview.ViewScale()));
    toolbar.Press(btnPageWidth);
    EXPECT_EQ(box.currentText(), QStringLiteral("Page width (%1%)").arg(preview.ViewScale()));
    EXPECT_GT(preview.Sheet()->width(), preview.width() - 60);
    box.activated(2 + 4); // the fifth step, 100%
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    EXPECT_EQ(box.currentText(), QStringLiteral("100%"));
    // at 100 % the sheet is the paper's true size on screen
    EXPECT_NEAR(preview.Sheet()->width() - 2, 210 / 25.4 * preview.logicalDpiX(), 2);
}

TEST_F(PreviewTest, aTypedScaleKeepsOnlyItsDigits)
{
    TPreviewComboBox &box = *toolbar.ScaleBoxControl();
    box.setFocus();
    box.lineEdit()->clear();
    QTest::keyClicks(&box, QStringLiteral("12.5x"));
    EXPECT_EQ(box.currentText(), QStringLiteral("12.5"));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    EXPECT_EQ(preview.ViewScale(), 125);
    EXPECT_EQ(box.currentText(), QStringLiteral("125%"));

    box.lineEdit()->clear();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(messages.shown, QStringList({QStringLiteral("Fehler: Invalid scale value")}));
    EXPECT_EQ(preview.ViewScale(), 125);
}

TEST_F(PreviewTest, pagingButtonsFollowThePage)
{
    EXPECT_EQ(preview.PageCount(), 1);
    for (TButtonKind kind : {btnFirstPage, btnPrevPage, btnNextPage, btnLastPage})
        EXPECT_FALSE(enabled(kind));
    addRows(65);
    EXPECT_EQ(preview.PageCount(), 3);
    EXPECT_TRUE(enabled(btnNextPage));
    toolbar.Button(btnLastPage)->click();
    EXPECT_EQ(preview.PageIndex(), 3);
    EXPECT_FALSE(enabled(btnLastPage));
    EXPECT_TRUE(enabled(btnFirstPage));
    toolbar.Button(btnPrevPage)->click();
    EXPECT_EQ(preview.PageIndex(), 2);
    preview.SetPageIndex(99);
    EXPECT_EQ(preview.PageIndex(), 3);
    // Page Down at the bottom of the last page stays there
    preview.setFocus();
    QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.PageIndex(), 3);
    // a table that shrinks takes the preview back to its last page
    table.setFilter(QStringLiteral("ID = '2'"));
    table.setFiltered(true);
    EXPECT_EQ(preview.PageIndex(), 1);
}

TEST_F(PreviewTest, aButtonThatIsNotAllowedDoesNothing)
{
    addRows(65);
    toolbar.OnButtonClick = [](TPreviewToolbar &, TButtonKind kind, bool &allow) { allow = kind != btnNextPage; };
    toolbar.Press(btnNextPage);
    EXPECT_EQ(preview.PageIndex(), 1);
    toolbar.Press(btnLastPage);
    EXPECT_EQ(preview.PageIndex(), 3);
}

TEST_F(PreviewTest, withoutPrinterOrJobNoSheetIsShown)
{
    EXPECT_TRUE(preview.Sheet()->isVisible());
    Printer::install(nullptr);
    job.Update(); // a job without printer does not report
    preview.Redraw();
    EXPECT_FALSE(preview.Sheet()->isVisible());
    Printer::install(std::make_unique<PdfPrinter>());
    preview.Redraw();
    EXPECT_TRUE(preview.Sheet()->isVisible());
    {
        TDBGridPrintJob shortLived;
        preview.SetPrintJob(&shortLived);
    }
    EXPECT_EQ(preview.PrintJob(), nullptr);
    EXPECT_FALSE(preview.Sheet()->isVisible());
    EXPECT_EQ(toolbar.ScaleBoxControl()->currentText(), QStringLiteral("Whole page (%1%)").arg(preview.ViewScale()));
    TPreviewComboBox unlinked;
    EXPECT_EQ(unlinked.currentText(), QStringLiteral("not linked"));
}

TEST_F(PreviewTest, standardToolbarLaysOutItsButtonsAroundTheScaleBox)
{
    const QStringList expected = {"Print",      "Printer setup dialog",
                                  "First page", "Previous page",
                                  "Next page",  "Last page",
                                  "Zoom out",   "Zoom in"};
    QStringList shown;
    int x = 1;
    for (int kind = 0; kind < kButtonKinds; ++kind) {
        QToolButton *button = toolbar.Button(TButtonKind(kind));
        if (!button->isVisible())
            continue;
        shown.append(button->toolTip());
        if (kind == btnZoomOut)
            x += 125 + 4;
        EXPECT_EQ(button->geometry(), QRect(x, 1, 24, 24)) << button->toolTip().toStdString();
        x += 24;
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(toolbar.ScaleBoxControl()->x(), 1 + 6 * 24 + 2);
    EXPECT_EQ(toolbar.height(), 26);

    toolbar.SetButtons((1u << kButtonKinds) - 1); // all 14, to look at the glyphs
    toolbar.SetScaleBoxPos(btnWholePage);
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    EXPECT_TRUE(window.grab().save(QStringLiteral(SCREENSHOT_DIR "/preview-all-buttons.png")));
    EXPECT_EQ(toolbar.ScaleBoxControl()->x(), 1 + 7 * 24 + 2);
}

} // namespace
