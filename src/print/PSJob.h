#pragma once

#include "base/Errors.h"

#include <functional>
#include <QFont>
#include <QObject>
#include <QRect>
#include <vector>

class PrinterDevice;
class QPainter;

enum TUnits { unPixels, unPercents, unInches, unMillimeters };
enum TMarginsError { meNone, meAutoFix, meMessageBox, meException };
enum TPageMode { pmDefault, pmCustom };
enum TPageOrientation { orDefault, orPortrait, orLandscape };
enum TJobOption { joMargins = 1, joHeader = 2, joFooter = 4 };
using TJobOptionsSet = int; // TJobOption flags
enum TDrawArea { daHeader = 1, daPage = 2, daFooter = 4 };
using TDrawAreas = int; // TDrawArea flags
enum TDrawTarget { dtPrint, dtPreview, dtMetaPreview, dtExternal };
enum class TAxis { Horizontal, Vertical };

// A rectangle in printer pixels as the page layout counts: Right and Bottom are the edges, so the
// width is Right - Left.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect &) const = default;
};

struct TMargins {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    bool operator==(const TMargins &) const = default;
};

class EPrintJobException : public BelvantoError
{
public:
    using BelvantoError::BelvantoError;
};

// Told by a job whose layout changed or that goes away (the previews, Part of the preview library).
class PrintJobObserver
{
public:
    virtual void PrintJobChanged() = 0;
    virtual void PrintJobDestroyed() = 0;

protected:
    ~PrintJobObserver() = default;
};

// One paginated document for the installed printer (Printer::current()). Each page is divided into a
// header, a body ("page") and a footer area inside optional margins; any page can be drawn on any
// painter, and a range of pages printed with progress and abort. Subclasses draw the areas.
// Geometry is in printer pixels; without a printer the paper is 2000 × 3000 pixels at 300 per inch.
class TCustomPrintJob : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *kMarginsOutside =
        "One or more margins are set outside the printable area of the page.";

    explicit TCustomPrintJob(QObject *parent = nullptr);
    ~TCustomPrintJob() override;

    // Properties; every setter stores a changed value and calls Update.
    bool MultiDoc() const { return m_multiDoc; }
    void SetMultiDoc(bool value);
    QString Title() const { return m_title; }
    void SetTitle(const QString &value);
    TMargins Margins() const { return m_margins; }
    void SetMargins(const TMargins &value); // validated first (CheckMargins)
    TUnits MarginsUnits() const { return m_marginsUnits; }
    void SetMarginsUnits(TUnits value);
    TMarginsError MarginsError() const { return m_marginsError; }
    void SetMarginsError(TMarginsError value);
    double Header() const { return m_header; }
    void SetHeader(double value);
    TUnits HeaderUnits() const { return m_headerUnits; }
    void SetHeaderUnits(TUnits value);
    double Footer() const { return m_footer; }
    void SetFooter(double value);
    TUnits FooterUnits() const { return m_footerUnits; }
    void SetFooterUnits(TUnits value);
    TPageMode PageMode() const { return m_pageMode; }
    void SetPageMode(TPageMode value);
    double PageWidth() const { return m_pageWidth; }
    void SetPageWidth(double value); // kept only in pmCustom
    double PageHeight() const { return m_pageHeight; }
    void SetPageHeight(double value);
    TUnits PageUnits() const { return m_pageUnits; }
    void SetPageUnits(TUnits value);
    TPageOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPageOrientation value);
    TJobOptionsSet Options() const { return m_options; }
    void SetOptions(TJobOptionsSet value);
    bool RelativeCoords() const { return m_relativeCoords; }
    void SetRelativeCoords(bool value);
    TDrawAreas DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(TDrawAreas value);

    int PageCount() const { return m_pageCount; }
    bool HasPrinter() const;
    int ResolutionX() const;
    int ResolutionY() const;
    // A font at its point size on the printer: its pixel size in printer pixels.
    QFont PrinterFont(const QFont &font) const;

    // Units: Reference is a length in printer pixels for percentages.
    double Convert(double value, TUnits fromUnit, TUnits toUnit, double reference, TAxis axis) const;

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updateLock > 0; }

    // Attached previews are told of every change of layout.
    void AttachObserver(PrintJobObserver *observer);
    void DetachObserver(PrintJobObserver *observer);

    virtual TCustomPrintJob *GetPageJob(int pageIndex);
    void DrawToCanvas(QPainter &canvas, int pageIndex);
    virtual void DrawPage(QPainter &canvas, int pageIndex, TDrawTarget target);
    virtual bool CanPrint();
    virtual void Print();
    virtual void PrintDialog();
    virtual void PrinterSetupDialog();
    virtual void AbortPrint();
    void PrintRange(int fromPage, int toPage, bool ownDocuments);

    virtual TRect GetPaperRect();
    virtual TRect GetPrintableRect() const;
    virtual TRect GetMarginsRect();
    virtual TRect GetHeaderRect();
    virtual TRect GetPageRect();
    virtual TRect GetFooterRect();
    virtual void UpdatePageSize();
    virtual void Update();
    // Validates margins as MarginsError says; sides outside the printable area are moved to it.
    void CheckMargins(TMargins &margins);

    // Events
    std::function<void(TCustomPrintJob &, QPainter &, int pageIndex, const TRect &, TDrawArea, TDrawTarget)> OnDraw;
    std::function<void(TCustomPrintJob &)> OnPrinterSetupChange;
    std::function<void(TCustomPrintJob &)> OnStartPrint;
    std::function<void(TCustomPrintJob &)> OnEndPrint;
    std::function<void(TCustomPrintJob &, int pos, int min, int max)> OnPrintProgress;
    std::function<void(TCustomPrintJob &, int pageIndex)> OnStartPrintPage;
    std::function<void(TCustomPrintJob &, int pageIndex)> OnEndPrintPage;
    std::function<void(TCustomPrintJob &)> OnUpdate;
    std::function<void(bool &)> OnCanPrint; // may veto printing

protected:
    virtual void PrepareCanvas(QPainter &canvas, TDrawTarget target);
    virtual void DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area, const TRect &rect);
    virtual void PrinterSetupChanged();
    virtual void StartPrint();
    virtual void EndPrint();
    virtual void PrintProgress(int pos, int min, int max);
    virtual void StartPrintPage(int pageIndex);
    virtual void EndPrintPage(int pageIndex);
    virtual void NewPage(int pageIndex);
    virtual void DoUpdate();

    void SetPageCount(int value) { m_pageCount = std::max(1, value); }
    // Font, pen and brush as every area starts with them.
    void ResetCanvas(QPainter &canvas) const;
    TDrawTarget DrawTarget() const { return m_target; }

private:
    template <typename T> void change(T &member, const T &value);
    QSize PaperPixels() const;
    void DrawOneArea(QPainter &canvas, int pageIndex, TDrawArea area, const TRect &rect);
    void ApplyOrientation();

    bool m_multiDoc = false;
    QString m_title;
    TMargins m_margins;
    TUnits m_marginsUnits = unPixels;
    TMarginsError m_marginsError = meAutoFix;
    double m_header = 0;
    TUnits m_headerUnits = unPixels;
    double m_footer = 0;
    TUnits m_footerUnits = unPixels;
    TPageMode m_pageMode = pmDefault;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    TUnits m_pageUnits = unPixels;
    TPageOrientation m_orientation = orDefault;
    TJobOptionsSet m_options = 0;
    bool m_relativeCoords = false;
    TDrawAreas m_defaultDrawing = daHeader | daPage | daFooter;

    int m_pageCount = 1;
    int m_updateLock = 0;
    bool m_abort = false;
    TDrawTarget m_target = dtExternal;
    std::vector<PrintJobObserver *> m_observers;
};
