#pragma once

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

// What a person does with the windows, for the tests that drive them.
namespace WindowDriver {

// Clicks a row of a grid, then double-clicks it.
inline void doubleClickRow(QAbstractItemView &grid, int row)
{
    const QPoint at = grid.visualRect(grid.model()->index(row, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

// Puts the cursor into a box and types, replacing what a line box held.
inline void type(QWidget *control, const QString &text)
{
    control->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    QTest::keyClicks(control, text);
}

} // namespace WindowDriver
