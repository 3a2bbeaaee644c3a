#pragma once

#include "print/ListPrintout.h"

#include <QDialog>

class TDataModule1;
class TDBGridPrintJob;
class TPreview;
class TPreviewToolbar;

// What the three list-print windows share: a toolbar, the preview of the list's first page in
// whole-page view, and the grid job on the list's table. Made for each use.
class ListPrintWindow : public QDialog
{
    Q_OBJECT
public:
    TPreviewToolbar *PreviewToolbar1;
    TPreview *Preview1;
    TDBGridPrintJob *DBGridPrintJob;

protected:
    ListPrintWindow(const QString &caption, ListPrintout list, TDataModule1 &dataModule, QWidget *parent);
};
