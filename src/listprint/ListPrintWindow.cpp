#include "listprint/ListPrintWindow.h"

#include "preview/PrintProgress.h"
#include "preview/PSPreview.h"
#include "preview/PSToolbar.h"
#include "print/PJDBGrid.h"
#include "widgets/WindowLook.h"

#include <QVBoxLayout>

ListPrintWindow::ListPrintWindow(const QString &caption, ListPrintout list, TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , PreviewToolbar1(new TPreviewToolbar)
    , Preview1(new TPreview)
    , DBGridPrintJob(new TDBGridPrintJob(this))
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PreviewToolbar1);
    layout->addWidget(Preview1, 1);
    resize(800, 600);
    WindowLook::applyToWindow(*this, false);

    DBGridPrintJob->SetTitle(caption);
    setUpListJob(*DBGridPrintJob, list, dataModule);
    showPrintProgress(*DBGridPrintJob, this);
    Preview1->SetPrintJob(DBGridPrintJob);
    PreviewToolbar1->SetPreview(Preview1);
}
