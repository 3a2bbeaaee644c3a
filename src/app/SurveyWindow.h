#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class TSRColorButton;

// A short questionnaire about the program. The answers stay on this computer: nothing is sent.
class SurveyWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SurveyWindow(QWidget *parent = nullptr);

    QComboBox *CBZufriedenheit;
    QPlainTextEdit *EWunsch;
    QLabel *LHinweis;
    TSRColorButton *BOK;
    TSRColorButton *BAbbrechen;

protected:
    void showEvent(QShowEvent *event) override;
};
