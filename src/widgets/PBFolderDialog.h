#pragma once

#include <QLocale>
#include <QObject>
#include <QStringList>

class QWidget;

// Lets the person pick a folder, with a button for a new folder, a status line showing the chosen path
// and the captions in the system's language. Over Qt's own folder dialog, which has the new-folder
// button built in: a new folder is made and selected without the dialog being closed and reopened.
class TPBFolderDialog : public QObject
{
    Q_OBJECT
public:
    enum BrowseInfoFlag {
        OnlyComputers = 0x1,
        OnlyPrinters = 0x2,
        OnlyDomains = 0x4,
        OnlyAncestors = 0x8,
        OnlyFileSystem = 0x10,
        ShowPath = 0x20,
    };
    Q_DECLARE_FLAGS(TBrowseInfoFlagSet, BrowseInfoFlag)

    explicit TPBFolderDialog(QWidget *owner = nullptr);

    QString Folder;
    TBrowseInfoFlagSet Flags = ShowPath;
    bool NewFolderVisible = true;
    bool NewFolderEnabled = true;
    QStringList LabelCaptions; // "0407=Ausgewählter Ordner:", …
    QStringList NewFolderCaptions; // "0407=Neuer Ordner", …
    static QString Version() { return QStringLiteral("3.00.00.00"); }

    // True when the person confirmed a folder; Folder then holds it.
    bool Execute();

    QString LabelCaption() const { return Caption(LabelCaptions, LanguageKey()); }
    QString NewFolderCaption() const { return Caption(NewFolderCaptions, LanguageKey()); }

    // The entry for a language key ("0407"), else the first entry when there is no "Default", else
    // the "Default" entry; empty for an empty list.
    static QString Caption(const QStringList &captions, const QString &languageKey);
    // A language as four upper-case hexadecimal digits ("0407" for German in Germany); by default the
    // system's.
    static QString LanguageKey(const QLocale &locale = QLocale());
    // A path cut to at most `length` characters, keeping its start and its last folders:
    // C:\...\Daten\Sicherung\2012\Januar\Monatsende.
    static QString ShortenPath(const QString &path, int length = 50);

private:
    QWidget *m_owner;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TPBFolderDialog::TBrowseInfoFlagSet)
