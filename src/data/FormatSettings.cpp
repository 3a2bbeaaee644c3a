#include "data/FormatSettings.h"

#include "base/Clock.h"
#include "base/Errors.h"

#include <cmath>
#include <QLocale>

namespace FormatSettings {

namespace {
Formats g_formats;

QString withDecimalSeparator(QString cText)
{
    return cText.replace(u'.', g_formats.decimalSeparator);
}
} // namespace

const Formats &current()
{
    return g_formats;
}

void setCurrent(const Formats &formats)
{
    g_formats = formats;
}

QString dateToStr(const QDate &date)
{
    return date.isValid() ? date.toString(g_formats.shortDateFormat) : QString();
}

std::optional<QDate> tryStrToDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int numbers[3] = {0, 0, Clock::today().year()};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok);
        if (!ok || parts.at(i).isEmpty() || parts.at(i).size() > 4 || !parts.at(i).at(0).isDigit())
            return std::nullopt;
    }
    if (parts.size() == 3 && parts.at(2).size() <= 2)
        numbers[2] += numbers[2] < 50 ? 2000 : 1900;
    const QDate date(numbers[2], numbers[1], numbers[0]);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QDate strToDate(const QString &text)
{
    if (const auto date = tryStrToDate(text))
        return *date;
    throw BelvantoError(QStringLiteral("'%1' ist kein gültiges Datum.").arg(text));
}

QString formatFixed(double value, int decimals)
{
    return withDecimalSeparator(QString::number(value, 'f', decimals));
}

QString formatFloat(double value, int precision, int decimals)
{
    if (std::isfinite(value) && std::fabs(value) < std::pow(10.0, precision))
        return formatFixed(value, decimals);
    // d,dddddE+nn with `precision` significant digits, as fixed notation cannot show the value.
    QString text = QString::number(value, 'E', precision - 1);
    return withDecimalSeparator(text);
}

QString formatCurrency(double value)
{
    QLocale german(QLocale::German, QLocale::Germany);
    QString number = german.toString(std::fabs(value), 'f', 2);
    number.replace(u'.', u'\x1');
    number.replace(u',', g_formats.decimalSeparator);
    number.replace(u'\x1', g_formats.thousandSeparator);
    return (value < 0 ? QStringLiteral("-") : QString()) + number + u' ' + g_formats.currencyString;
}

std::optional<double> tryStrToFloat(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QString c;
    for (const QChar ch : trimmed) {
        if (ch == g_formats.decimalSeparator)
            c.append(u'.');
        else if (ch.isDigit() || ch == u'+' || ch == u'-' || ch == u'e' || ch == u'E')
            c.append(ch);
        else
            return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

double strToFloat(const QString &text)
{
    if (const auto value = tryStrToFloat(text))
        return *value;
    throw BelvantoError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert.").arg(text));
}

std::optional<qint64> tryStrToInt64(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u' '))
        return std::nullopt;
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

qint32 strToInt(const QString &text)
{
    const auto value = tryStrToInt64(text);
    if (!value || *value < std::numeric_limits<qint32>::min() || *value > std::numeric_limits<qint32>::max())
        throw BelvantoError(QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(text));
    return qint32(*value);
}

} // namespace FormatSettings
