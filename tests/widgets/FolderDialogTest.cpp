// The folder dialog's captions by language and its shortened path display.
#include "widgets/PBFolderDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderDialogTest, captionsFollowTheLanguage)
{
    const TPBFolderDialog dialog;
    struct Case {
        QLocale locale;
        const char *key;
        const char *label;
        const char *newFolder;
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "0407", "Ausgewählter Ordner:", "Neuer Ordner"},
        {QLocale(QLocale::German, QLocale::Austria), "0C07", "Ausgewählter Ordner:", "Neuer Ordner"},
        {QLocale(QLocale::French, QLocale::Canada), "0C0C", "Dossier Courant:", "Nouveau Dossier"},
        {QLocale(QLocale::Dutch, QLocale::Netherlands), "0413", "Huidige map:", "Nieuwe map"},
        {QLocale(QLocale::Swahili, QLocale::Kenya), "0000", "Current folder:", "New folder"},
    };
    for (const Case &c : cases) {
        const QString key = TPBFolderDialog::LanguageKey(c.locale);
        EXPECT_EQ(key, QLatin1String(c.key)) << c.key;
        EXPECT_EQ(TPBFolderDialog::Caption(dialog.LabelCaptions, key), QString::fromUtf8(c.label)) << c.key;
        EXPECT_EQ(TPBFolderDialog::Caption(dialog.NewFolderCaptions, key), QString::fromUtf8(c.newFolder)) << c.key;
    }
    // Without a "Default" entry an unknown language gets the first entry; an empty list gives nothing.
    EXPECT_EQ(TPBFolderDialog::Caption({"0407=Ordner", "040C=Dossier"}, "0000"), QStringLiteral("Ordner"));
    EXPECT_EQ(TPBFolderDialog::Caption({"0407=Ordner", "Default=Folder"}, "0000"), QStringLiteral("Folder"));
    EXPECT_EQ(TPBFolderDialog::Caption({}, "0407"), QString());
}

TEST(FolderDialogTest, longPathsKeepTheirStartAndTheirLastFolders)
{
    struct Case {
        const char *path;
        int length;
        const char *shown;
    };
    const Case cases[] = {
        {R"(C:\Programme\Firma\Daten\Sicherung\2012\Januar\Monatsende)", 50,
         R"(C:\...\Daten\Sicherung\2012\Januar\Monatsende)"},
        {R"(C:\Daten\Sicherung)", 50, R"(C:\Daten\Sicherung)"}, // fits
        {R"(\\server\freigabe\Verein\Kasse\Sicherungen\Dezember)", 30, R"(\\server\...\Dezember)"},
        {R"(C:\Ordner-mit-einem-sehr-langen-Namen)", 20, R"(C:\Ordner-mit-einem-)"}, // one separator: cut
        {R"(C:\a\Ein-Ordnername-der-allein-zu-lang-ist)", 20, R"(C:\...\Ein-Ordner...)"},
        {R"(C:\Programme\Firma)", 5, R"(C:\Pr)"}, // below 6: cut
    };
    for (const Case &c : cases) {
        const QString shown = TPBFolderDialog::ShortenPath(QString::fromUtf8(c.path), c.length);
        EXPECT_EQ(shown, QString::fromUtf8(c.shown)) << c.path;
        EXPECT_LE(shown.size(), c.length) << c.path;
    }
}

} // namespace
