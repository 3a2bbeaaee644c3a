#include "data/INI.h"

#include "base/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString g_location;

// The file keeps each value's type: "i:42" or "s:text", under QSettings' own escaping.
bool readTyped(QIODevice &device, QSettings::SettingsMap &map)
{
    while (!device.atEnd()) {
        QString line = QString::fromUtf8(device.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString name = line.left(eq);
        const QString typed = line.mid(eq + 1);
        QString value;
        value.reserve(typed.size());
        for (qsizetype i = 0; i < typed.size(); ++i) {
            if (typed.at(i) == u'\\' && i + 1 < typed.size()) {
                const QChar next = typed.at(++i);
                value.append(next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next);
            } else {
                value.append(typed.at(i));
            }
        }
        if (value.startsWith(QLatin1String("i:"))) {
            bool ok = false;
            const qint32 number = value.mid(2).toInt(&ok);
            if (ok)
                map.insert(name, number);
        } else if (value.startsWith(QLatin1String("s:"))) {
            map.insert(name, value.mid(2));
        }
    }
    return true;
}

bool writeTyped(QIODevice &device, const QSettings::SettingsMap &map)
{
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const bool isInteger = it.value().typeId() == QMetaType::Int;
        QString value = (isInteger ? QStringLiteral("i:") : QStringLiteral("s:")) + it.value().toString();
        value.replace(u'\\', QLatin1String("\\\\"))
            .replace(u'\n', QLatin1String("\\n"))
            .replace(u'\r', QLatin1String("\\r"));
        if (device.write((it.key() + u'=' + value + u'\n').toUtf8()) < 0)
            return false;
    }
    return true;
}

QSettings::Format typedFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("conf"), readTyped, writeTyped,
                                                                      Qt::CaseSensitive);
    return format;
}

std::unique_ptr<QSettings> openStore()
{
#ifdef Q_OS_WIN
    if (g_location.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Tarvenk Software\\Belvanto"),
                                           QSettings::NativeFormat);
#endif
    return std::make_unique<QSettings>(SettingsStore::location(), typedFormat());
}

// The stored spelling of a name, found without regard to letter case.
QString storedName(const QSettings &store, const QString &name)
{
    const QStringList keys = store.allKeys();
    for (const QString &key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    }
    return name;
}

void write(const QString &name, const QVariant &value)
{
    auto store = openStore();
    const QString key = storedName(*store, name);
    store->remove(key);
    store->setValue(name, value);
    store->sync();
    if (store->status() != QSettings::NoError)
        throw BelvantoError(QStringLiteral("Die Einstellung „%1“ kann nicht gespeichert werden (%2).")
                                .arg(name, QDir::toNativeSeparators(store->fileName())));
}

QVariant read(const QString &name)
{
    auto store = openStore();
    return store->value(storedName(*store, name));
}
} // namespace

void SettingsStore::setLocation(const QString &fileName)
{
    g_location = fileName;
}

QString SettingsStore::location()
{
    if (!g_location.isEmpty())
        return g_location;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Tarvenk Software/Belvanto.conf");
}

void WriteSettingString(const QString &name, const QString &value)
{
    write(name, value);
}

void WriteSettingInteger(const QString &name, qint32 value)
{
    write(name, value);
}

qint32 ReadSettingInteger(const QString &name)
{
    const QVariant value = read(name);
    return value.typeId() == QMetaType::Int ? value.toInt() : 0;
}

QString ReadSettingString(const QString &name)
{
    const QVariant value = read(name);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}
