#pragma once

#include <QLabel>

class QLineEdit;

// The note beside an account number box: whether the account fits its bank's check method (or an
// IBAN its check digits), following what is typed into the account and bank code boxes and the
// record shown. It only informs; saving stays as the record rules allow. Its width is kept whether
// it says something or not, so the form does not move.
class AccountWarning : public QLabel
{
    Q_OBJECT
public:
    AccountWarning(QLineEdit &kontonummer, QLineEdit &blz);

    // The account box with this note on its right, for the control column of a form.
    QWidget *besideAccount();
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();

    QLineEdit &m_kontonummer;
    QLineEdit &m_blz;
};
