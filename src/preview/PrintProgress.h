#pragma once

class QWidget;
class TCustomPrintJob;

// Shows the progress of the job's print runs in a window over `parent` whose "Abbrechen" stops the
// run before the next page. Takes the job's OnPrintProgress and OnEndPrint.
void showPrintProgress(TCustomPrintJob &job, QWidget *parent);
