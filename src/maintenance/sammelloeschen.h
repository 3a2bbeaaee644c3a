#pragma once

#include <QDialog>

class DBGrid;
class QLabel;
class QLineEdit;
class TDataModule1;
class TGradientPanel;
class TSRColorButton;

// "Sammellöschen": shows the bookings of an ID range and deletes them after one question. Created
// once at start; the two bounds stay between openings.
class TSammelloeschenF : public QDialog
{
    Q_OBJECT
public:
    explicit TSammelloeschenF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QLineEdit *EVon;
    QLineEdit *EBis;
    QLabel *LMoment; // "Einen Moment bitte !" while deleting
    DBGrid *DBGrid1;
    TSRColorButton *BNeu; // "Anzeigen"
    TSRColorButton *BSchliessen; // "Löschen"
    TGradientPanel *GradientPanel1;

    void Button2Click(); // "Anzeigen"
    void Button3Click(); // "Löschen"

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    TDataModule1 &m_data;
};
