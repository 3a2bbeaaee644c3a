#pragma once

#include <QLabel>

// A "Ja"/"Nein" marker pair: two 16-pixel icons of which at most one is visible.
struct MarkerPair {
    QLabel *ja;
    QLabel *nein;
    static MarkerPair create(QWidget *parent);
    void show(bool acceptable) const;
    void hideBoth() const;
    QWidget *widget() const { return ja->parentWidget(); }
};
