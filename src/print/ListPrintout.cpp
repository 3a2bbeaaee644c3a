#include "print/ListPrintout.h"

#include "data/DataModule.h"
#include "print/PJDBGrid.h"

namespace {
QFont font(const QString &family, int points)
{
    QFont result(family);
    result.setPointSize(points);
    return result;
}

Table *tableOf(ListPrintout list, TDataModule1 &data)
{
    switch (list) {
    case ListPrintout::Payers: return data.ClientDataSet2;
    case ListPrintout::Clients: return data.ClientDataSet3;
    case ListPrintout::Bookings: break;
    }
    return data.ClientDataSet1;
}
} // namespace

void setUpListJob(TDBGridPrintJob &job, ListPrintout list, TDataModule1 &data)
{
    const QString arial = QStringLiteral("Arial");
    const QString narrow = QStringLiteral("Arial Narrow");
    job.BeginUpdate();
    job.SetOrientation(orLandscape);
    job.SetPageMode(pmDefault);
    // Margins on, moved by the auto-fix to the printable area, so that nothing of the grid falls
    // into the printer's unprintable strip.
    job.SetMarginsError(meAutoFix);
    job.SetMarginsUnits(unMillimeters);
    job.SetOptions(joMargins | joHeader | joFooter);
    job.SetHeaderUnits(unMillimeters);
    job.SetHeader(12);
    // 0.3 inch for every list: a footer 0.3 mm high would clip its page numbers away.
    job.SetFooterUnits(unInches);
    job.SetFooter(0.3);
    job.SetRowsPerPage(30);
    job.SetHeaderCellBorders(cbTop | cbLeft | cbRight | cbBottom);
    job.SetPageCellBorders(cbLeft | cbRight);
    job.SetTableBorders(0);
    job.SetFooterCellBorders(0);
    job.SetIndexColumn(false);
    job.SetClipMode(cmEllipsis);
    // 11 and 16 pixels on a screen of 96 pixels per inch
    job.SetHeaderFont(font(list == ListPrintout::Bookings ? arial : narrow, 8));
    job.SetPageFont(font(list == ListPrintout::Payers ? narrow : arial, 8));
    job.SetFooterFont(font(arial, 12));
    job.EndUpdate();
    job.SetDataSource(tableOf(list, data));
    job.SetMargins({});
}
