#include "widgets/FileDialogs.h"

#include <QFileDialog>

namespace {
std::function<QString()> g_fileChooser;
} // namespace

QString FileDialogs::getOpenFileName(QWidget *parent, const QString &directory)
{
    return g_fileChooser ? g_fileChooser() : QFileDialog::getOpenFileName(parent, QString(), directory);
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter)
{
    return g_fileChooser ? g_fileChooser() : QFileDialog::getSaveFileName(parent, QString(), fileName, filter);
}

void FileDialogs::setNextFileName(std::function<QString()> chooser)
{
    g_fileChooser = std::move(chooser);
}
