#pragma once

#include <functional>
#include <QString>

class QWidget;

// The file dialogs of the program; tests give the name a person would choose.
namespace FileDialogs {
QString getOpenFileName(QWidget *parent, const QString &directory = {});
QString getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter);
void setNextFileName(std::function<QString()> chooser);
} // namespace FileDialogs
