#pragma once

#include <functional>
#include <QDialog>

class DBGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDataModule1;

// "Empfänger/Zahlungspflichtige suchen": narrows the payers by up to two conditions. In take-over mode
// (opened by the booking editor) a double-click copies the payer into the booking; in browse mode
// (opened by the main window) it opens the payer editor on that payer.
class TAbsenderSuchenF : public QDialog
{
    Q_OBJECT
public:
    explicit TAbsenderSuchenF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QComboBox *CB1;
    QLineEdit *E1;
    QComboBox *CB2;
    QLineEdit *E2;
    QPushButton *Button1; // "Suchen"
    QPushButton *Button2; // "Schließen"
    QLabel *Label3;
    DBGrid *DBGrid1;

    // The program-wide switch: on while the booking editor has the search open.
    bool Uebernahme = false;
    // Browse mode: opens the payer editor on the current payer.
    std::function<void()> OpenPayerEditor;

    // The filter expression of the two condition lines; a value is searched for as typed.
    QString Expression() const;
    void Button1Click();
    void DBGrid1DblClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void TakeOver();

    TDataModule1 &m_data;
};
