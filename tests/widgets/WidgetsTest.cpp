#include "support/TestEnvironment.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

QColor pixel(QWidget &widget, int x, int y)
{
    return widget.grab().toImage().pixelColor(x, y);
}

TEST(GradientPanelTest, dialogBarRunsFromWindowColourToNavy)
{
    TGradientPanel panel;
    panel.UseDialogBarLook();
    panel.setFrameStyle(QFrame::NoFrame);
    panel.resize(200, 51);
    EXPECT_EQ(pixel(panel, 100, 0), WindowLook::kWindowColor);
    // Navy would be reached on line 51, one below the last visible line.
    EXPECT_EQ(TGradientPanel::LineColor(WindowLook::kWindowColor, QColor(0, 0, 128), 51, 51), QColor(0, 0, 128));
    EXPECT_EQ(pixel(panel, 100, 50), TGradientPanel::LineColor(WindowLook::kWindowColor, QColor(0, 0, 128), 50, 51));
    EXPECT_NE(pixel(panel, 100, 50), QColor(0, 0, 128));
}

TEST(GradientPanelTest, leftToRightByDefault)
{
    TGradientPanel panel;
    panel.resize(101, 20);
    EXPECT_EQ(pixel(panel, 0, 10), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(pixel(panel, 100, 10), TGradientPanel::LineColor(QColor(0x80, 0x80, 0x80), Qt::white, 100, 101));
}

TEST(ColorButtonTest, bevelColoursFromTheContrast)
{
    TSRColorButton button;
    button.SetColor(QColor(100, 150, 200));
    button.SetContrastHighlight(0);
    EXPECT_EQ(button.HighlightColor(), QColor(99, 149, 199)); // one step below the face colour
    button.SetContrastHighlight(9);
    EXPECT_EQ(button.HighlightColor(), QColor(239, 244, 249));
    button.SetContrastShadow(10); // refused
    EXPECT_EQ(button.ContrastShadow(), 6);
    button.SetContrastShadow(0);
    EXPECT_EQ(button.ShadowColor(), QColor(100, 150, 200));
}

TEST(ColorButtonTest, gradientTableRunsFromWhiteThroughTheFaceToBlack)
{
    TSRColorButton button;
    button.SetColor(QColor(0xF2, 0xF2, 0xF2));
    EXPECT_EQ(button.GradientTable()[0], QColor(255, 255, 255));
    EXPECT_EQ(button.GradientTable()[255], QColor(0, 0, 0));
    button.SetGradientDirection(TSRColorButton::gdUpLeft);
    EXPECT_EQ(button.GradientTable()[0], QColor(0, 0, 0));
    EXPECT_EQ(button.GradientTable()[255], QColor(255, 255, 255));
}

TEST(ColorButtonTest, groupedButtonsReleaseEachOther)
{
    QWidget parent;
    TSRColorButton a(&parent), b(&parent), c(&parent), other(&parent);
    for (TSRColorButton *button : {&a, &b, &c, &other}) {
        button->SetGrouped(true);
        button->SetGroupIndex(1);
    }
    other.SetGroupIndex(2);
    other.SetDown(true);
    QSignalSpy changes(&a, &TSRColorButton::stateChanged);
    a.click();
    b.click();
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(c.Down());
    EXPECT_TRUE(other.Down());
    EXPECT_EQ(changes.size(), 2);
    b.click(); // without AllowAllUp a grouped button stays down
    EXPECT_TRUE(b.Down());
    b.SetAllowAllUp(true);
    b.click();
    EXPECT_FALSE(b.Down());
}

TEST(ColorButtonTest, plainButtonClicksAndComesUp)
{
    TSRColorButton button;
    QSignalSpy clicks(&button, &TSRColorButton::clicked);
    button.click();
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_FALSE(button.Down());
    button.setEnabled(false);
    button.click();
    EXPECT_EQ(clicks.size(), 1);
}

TEST(ColorButtonTest, autoRepeatWhileHeld)
{
    TSRColorButton button;
    button.SetAllowTimer(true);
    button.show();
    QSignalSpy clicks(&button, &TSRColorButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::qWait(250);
    EXPECT_EQ(clicks.size(), 0); // the first repeat comes after 400 ms
    QElapsedTimer waited;
    waited.start();
    while (clicks.size() < 3 && waited.elapsed() < 3000) // at 400 ms and then every 100 ms
        QTest::qWait(20);
    EXPECT_GE(clicks.size(), 3);
    QTest::mouseRelease(&button, Qt::LeftButton);
    const qsizetype held = clicks.size();
    QTest::qWait(250);
    EXPECT_EQ(clicks.size(), held); // one more on release, then no more
}

TEST(ColorButtonTest, acceleratorTogglesAGroupedButton)
{
    QWidget window;
    auto *button = new TSRColorButton(&window);
    button->SetCaption(QStringLiteral("&Weiter"));
    button->SetGrouped(true);
    button->SetAllowAllUp(true);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(button, &TSRColorButton::clicked);
    QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(button->Down());
    QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks.size(), 2);
}

TEST(ColorButtonTest, dialogButtonLooksFinished)
{
    QWidget bar;
    bar.resize(300, 51);
    TGradientPanel panel(&bar);
    panel.UseDialogBarLook();
    panel.resize(300, 51);
    TSRColorButton ok(&panel), close(&panel);
    ok.SetCaption(QStringLiteral("&OK"));
    ok.UseDialogButtonLook();
    ok.move(140, 10);
    close.SetCaption(QStringLiteral("&Schließen"));
    close.UseDialogButtonLook(80);
    close.move(212, 10);
    close.SetDown(true);
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    EXPECT_TRUE(bar.grab().save(QStringLiteral(SCREENSHOT_DIR "/dialog-bar.png")));
    EXPECT_EQ(ok.grab().toImage().pixelColor(0, 0), QColor(Qt::black)); // the single black outline
}

} // namespace

namespace {

TEST(GuardedHandlerTest, errorsOfTheProgramReachThePersonInGerman)
{
    ScriptedMessages messages;
    guarded([] { throw BelvantoError(QStringLiteral("BLZ fehlerhaft")); })();
    guarded([] { throw SilentAbort(); })();
    guarded([] { throw std::out_of_range("vector::_M_range_check: __n (which is 3) >= this->size() (which is 3)"); })();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0], QStringLiteral("Fehler: BLZ fehlerhaft"));
    EXPECT_TRUE(messages.shown[1].startsWith(QStringLiteral("Fehler: Bei dieser Aktion ist ein interner Fehler")));
    EXPECT_FALSE(messages.shown[1].contains(QStringLiteral("vector")));
}

} // namespace
