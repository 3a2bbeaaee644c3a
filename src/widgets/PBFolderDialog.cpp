#include "widgets/PBFolderDialog.h"

#include "widgets/ModalWindows.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>

namespace {
QStringList captions(const char *english, const char *german, const char *french, const char *italian)
{
    QStringList list {QStringLiteral("Default=") + QString::fromUtf8(english)};
    const auto add = [&list](const char *keys, const char *text) {
        for (const QString &key : QString::fromLatin1(keys).split(u','))
            list << key + u'=' + QString::fromUtf8(text);
    };
    add("0009,0409,0809,0C09,1009,1409,1809,1C09,2009,2809,2C09", english);
    add("0407,0807,0C07,1007,1407", german);
    add("040C,080C,0C0C,100C,140C,180C", french);
    add("0410,0810", italian);
    return list;
}
} // namespace

TPBFolderDialog::TPBFolderDialog(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    LabelCaptions = captions("Current folder:", "Ausgewählter Ordner:", "Dossier Courant:", "Cartella selezionata:")
        << QStringLiteral("0406=Valgt mappe:") << QStringLiteral("0413=Huidige map:")
        << QStringLiteral("0415=Bie¿±cy folder") << QStringLiteral("0416=Pasta Atual:");
    NewFolderCaptions = captions("New folder", "Neuer Ordner", "Nouveau Dossier", "Nuova Cartella")
        << QStringLiteral("0406=Ny mappe") << QStringLiteral("0413=Nieuwe map") << QStringLiteral("0415=Nowy folder")
        << QStringLiteral("0416=Nova Pasta");
}

QString TPBFolderDialog::Caption(const QStringList &captions, const QString &languageKey)
{
    if (captions.isEmpty())
        return {};
    QString fallback;
    bool hasDefault = false;
    for (const QString &line : captions) {
        const QString key = line.section(u'=', 0, 0);
        const QString text = line.section(u'=', 1);
        if (key.compare(languageKey, Qt::CaseInsensitive) == 0)
            return text;
        if (key == QLatin1String("Default")) {
            hasDefault = true;
            fallback = text;
        }
    }
    return hasDefault ? fallback : captions.first().section(u'=', 1);
}

QString TPBFolderDialog::LanguageKey(const QLocale &locale)
{
    struct Language {
        QLocale::Language language;
        int primary;
        QList<QLocale::Territory> territories; // sub-language 1, 2, … in this order
    };
    static const QList<Language> languages {
        {QLocale::German,
         0x07,
         {QLocale::Germany, QLocale::Switzerland, QLocale::Austria, QLocale::Luxembourg, QLocale::Liechtenstein}},
        {QLocale::English,
         0x09,
         {QLocale::UnitedStates, QLocale::UnitedKingdom, QLocale::Australia, QLocale::Canada, QLocale::NewZealand,
          QLocale::Ireland, QLocale::SouthAfrica, QLocale::Jamaica}},
        {QLocale::French,
         0x0C,
         {QLocale::France, QLocale::Belgium, QLocale::Canada, QLocale::Switzerland, QLocale::Luxembourg}},
        {QLocale::Italian, 0x10, {QLocale::Italy, QLocale::Switzerland}},
        {QLocale::Danish, 0x06, {QLocale::Denmark}},
        {QLocale::Dutch, 0x13, {QLocale::Netherlands, QLocale::Belgium}},
        {QLocale::Polish, 0x15, {QLocale::Poland}},
        {QLocale::Portuguese, 0x16, {QLocale::Brazil, QLocale::Portugal}},
    };
    for (const Language &l : languages) {
        if (l.language != locale.language())
            continue;
        const int sub = int(l.territories.indexOf(locale.territory())) + 1;
        return QStringLiteral("%1").arg((std::max(sub, 1) << 10) | l.primary, 4, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("0000");
}

QString TPBFolderDialog::ShortenPath(const QString &path, int length)
{
    const qsizetype separatorsAfterStart = path.mid(2).count(u'\\');
    if (path.size() <= length || length < 6 || separatorsAfterStart <= 1)
        return path.left(length);
    QString prefix = path.startsWith(QLatin1String("\\\\")) ? QStringLiteral("\\\\") : QString();
    QString rest = path.mid(prefix.size());
    const qsizetype firstSeparator = rest.indexOf(u'\\');
    prefix += rest.left(firstSeparator + 1) + QStringLiteral("...");
    rest = rest.mid(firstSeparator + 1);
    while (prefix.size() + 1 + rest.size() > length && rest.contains(u'\\'))
        rest = rest.mid(rest.indexOf(u'\\') + 1);
    const QString shortened = prefix + u'\\' + rest;
    return shortened.size() <= length ? shortened : shortened.left(length - 3) + QStringLiteral("...");
}

bool TPBFolderDialog::Execute()
{
    QWidget *owner = m_owner ? m_owner->window() : QApplication::activeWindow();
    QFileDialog dialog(owner, LabelCaption());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the one that has the new-folder button everywhere
    dialog.setOption(QFileDialog::ReadOnly, !(NewFolderVisible && NewFolderEnabled));
    dialog.setLabelText(QFileDialog::LookIn, LabelCaption());
    if (QFileInfo(Folder).isDir()) // a folder that is gone opens the dialog without preselection
        dialog.setDirectory(Folder);
    if (Flags.testFlag(ShowPath)) {
        auto *status = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
        const auto showPath = [&dialog, status](const QString &path) {
            dialog.setToolTip(path);
            if (status)
                status->setText(ShortenPath(QDir::toNativeSeparators(path)));
        };
        connect(&dialog, &QFileDialog::currentChanged, &dialog, showPath);
        connect(&dialog, &QFileDialog::directoryEntered, &dialog, showPath);
    }
    if (ModalWindows::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false; // Folder keeps what it had
    Folder = QDir::toNativeSeparators(dialog.selectedFiles().first());
    return true;
}
