#pragma once

#include <QDialog>

class DBNavigator;
class QGridLayout;
class Table;
class TGradientPanel;
class TSRColorButton;

// What the three record editors share: the window around a form bound to one table, the button bar
// "NEU", "Speichern", "Löschen", "Schließen" with a navigator, and the question on closing.
class RecordEditor : public QDialog
{
    Q_OBJECT
public:
    RecordEditor(Table &table, const QString &caption, const QString &deleteQuestion, QWidget *parent = nullptr);

    Table &table() const { return m_table; }

    TSRColorButton *BNeu;
    TSRColorButton *BSpeichern;
    TSRColorButton *BLoeschen;
    TSRColorButton *BSchliessen;
    DBNavigator *DBNavigator1;
    TGradientPanel *GradientPanel1;

    virtual void BNeuClick();
    virtual void BSpeichernClick();
    void BLoeschenClick();
    // The question on closing; false keeps the window open.
    bool FormCloseQuery();
    // The table's edit rule: a change has begun.
    void EnableSave();

protected:
    // The form's grid: label in column 0, control in column 1, extras after it.
    QGridLayout *form() const { return m_form; }
    void addRow(const QString &label, QWidget *control, QWidget *extra = nullptr);
    // The control that "NEU" puts the focus into.
    void setFirstControl(QWidget *control) { m_first = control; }
    void focusFirstControl();
    void done(int result) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Table &m_table;
    QString m_deleteQuestion;
    QGridLayout *m_form;
    QWidget *m_first = nullptr;
};
