#include "preview/PrintProgress.h"

#include "print/PSJob.h"

#include <memory>
#include <QPointer>
#include <QProgressDialog>

void showPrintProgress(TCustomPrintJob &job, QWidget *parent)
{
    // One window per run, made at the first page (after any question the printer asks) and gone
    // at the run's end.
    auto dialog = std::make_shared<QPointer<QProgressDialog>>();
    job.OnPrintProgress = [dialog, parent](TCustomPrintJob &self, int pos, int, int max) {
        if (!*dialog) {
            auto *progress = new QProgressDialog(parent);
            progress->setWindowTitle(QStringLiteral("Drucken"));
            progress->setCancelButtonText(QStringLiteral("Abbrechen"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setAutoClose(false);
            progress->setAutoReset(false);
            QObject::connect(progress, &QProgressDialog::canceled, &self, [&self] { self.AbortPrint(); });
            *dialog = progress;
        }
        QProgressDialog &progress = **dialog;
        progress.setMaximum(max);
        progress.setLabelText(QStringLiteral("Seite %1 von %2 ist gedruckt.").arg(pos).arg(max));
        progress.setValue(pos);
    };
    job.OnEndPrint = [dialog](TCustomPrintJob &) {
        if (*dialog)
            (*dialog)->deleteLater();
        *dialog = nullptr;
    };
}
