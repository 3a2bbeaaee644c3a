#pragma once

#include <QDialog>

class QLabel;
class TSRColorButton;

// A dialog that shows a fixed text: the about window and the batch-mode notice.
class TextWindow : public QDialog
{
    Q_OBJECT
public:
    TextWindow(const QString &caption, const QString &text, QWidget *parent = nullptr);

    QLabel *LText;
    TSRColorButton *BSchliessen;
};
