#include "app/SurveyWindow.h"

#include "base/MessageService.h"
#include "widgets/GradientPanel.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

SurveyWindow::SurveyWindow(QWidget *parent)
    : QDialog(parent)
    , CBZufriedenheit(new QComboBox)
    , EWunsch(new QPlainTextEdit)
    , LHinweis(new QLabel(QStringLiteral("Ihre Antworten werden nicht versendet und nirgends gespeichert. "
                                         "Teilen Sie sie uns gern auf Ihrem üblichen Weg mit.")))
    , BOK(TSRColorButton::DialogButton(QStringLiteral("&OK")))
    , BAbbrechen(TSRColorButton::DialogButton(QStringLiteral("&Abbrechen"), 80))
{
    setWindowTitle(QStringLiteral("Umfrage zur Verbesserung des Programmes"));
    WindowLook::applyToWindow(*this, true);
    CBZufriedenheit->addItems({QStringLiteral("sehr zufrieden"), QStringLiteral("zufrieden"),
                               QStringLiteral("weniger zufrieden"), QStringLiteral("unzufrieden")});
    EWunsch->setFixedHeight(90);
    LHinweis->setWordWrap(true);
    auto *form = new QFormLayout;
    form->setContentsMargins(16, 16, 16, 8);
    form->addRow(QStringLiteral("Wie zufrieden sind Sie mit Belvanto?"), CBZufriedenheit);
    form->addRow(QStringLiteral("Was sollen wir verbessern?"), EWunsch);
    form->addRow(LHinweis);

    auto *bar = TGradientPanel::DialogBar({BOK, BAbbrechen});
    connect(BOK, &TSRColorButton::clicked, this, [this] {
        MessageService::current().information(QStringLiteral("Vielen Dank für Ihre Antworten."));
        accept();
    });
    connect(BAbbrechen, &TSRColorButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(bar);
    setFixedSize(520, sizeHint().height());
}

void SurveyWindow::showEvent(QShowEvent *event)
{
    EWunsch->clear();
    CBZufriedenheit->setCurrentIndex(0);
    QDialog::showEvent(event);
}
