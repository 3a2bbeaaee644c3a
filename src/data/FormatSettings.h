#pragma once

#include <optional>
#include <QDate>
#include <QString>

// The program's number, date and currency formats. It is made for German settings: day.month.year
// with a four-digit year, decimal comma, "€".
namespace FormatSettings {

struct Formats {
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy");
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u'.';
    QString currencyString = QStringLiteral("€");
};

const Formats &current();
void setCurrent(const Formats &formats);

QString dateToStr(const QDate &date);
std::optional<QDate> tryStrToDate(const QString &text);
QDate strToDate(const QString &text); // throws the conversion message

// Fixed notation with that many decimals and no thousands separators: the edit form «1234,50».
QString formatFixed(double value, int decimals);
// Fixed notation with at most `precision` significant digits; beyond them the exponent form.
QString formatFloat(double value, int precision, int decimals);
// «1.234,50 €»: thousands separators and the currency sign.
QString formatCurrency(double value);
std::optional<double> tryStrToFloat(const QString &text);
double strToFloat(const QString &text); // throws the conversion message
std::optional<qint64> tryStrToInt64(const QString &text);
qint32 strToInt(const QString &text); // throws the conversion message

} // namespace FormatSettings
