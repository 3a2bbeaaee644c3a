#pragma once

#include <optional>
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

// SEPA payment files (ISO 20022 pain.008 direct debits, pain.001 credit transfers) and the rules
// their content follows: IBAN, creditor identifier, TARGET2 business days, the bank character set.
namespace Sepa {

// ISO 7064 MOD 97-10 over an IBAN or creditor identifier in its checking order (letters as 10..35).
int mod97(const QString &alphanumeric);
// Country code, check digits and up to 30 letters or digits, with the right check digits. Blanks are
// ignored.
bool isValidIban(const QString &iban);
// The IBAN of an account: a Kontonummer that already holds a valid IBAN is taken as it is (foreign
// accounts, banks with their own IBAN rules); otherwise a German IBAN from the bank code (8 digits)
// and an account number of at most 10 digits. None when neither is possible.
std::optional<QString> iban(const QString &kontonummer, const QString &blz);
// A Kontonummer that holds an IBAN rather than an account number: it begins with two letters.
bool holdsIban(const QString &kontonummer);
// "DE89 3704 0044 0532 0130 00"
QString grouped(const QString &iban);
// The German bank code inside a German IBAN, empty for other countries.
QString blzOfIban(const QString &iban);
// A creditor identifier: "DE", check digits, a business code of three letters or digits, 11 letters
// or digits; the check digits over the identifier without the business code (MOD 97).
bool isValidCreditorId(const QString &id);
// A BIC: 4 letters (bank), 2 letters (country), 2 letters or digits (place), optionally 3 more.
bool isValidBic(const QString &bic);

// TARGET2 business days: every day but Saturday, Sunday, 1 January, Good Friday, Easter Monday,
// 1 May, 25 and 26 December.
QDate easterSunday(int year);
bool isBusinessDay(const QDate &day);
// The first business day on or after the day.
QDate businessDayFrom(const QDate &day);
// The first day a file created today may name: the next business day after today.
QDate earliestExecutionDate(const QDate &today);

// Text in the character set the German banks accept: letters with Ä Ö Ü ä ö ü ß, digits, blank and
// ' : ? , - ( + . ) / & * $ %. Other letters are transliterated (é → e, Ø → O, æ → ae), every other
// character becomes a blank; the result is cut to the length.
QString text(const QString &value, int maxLength);
bool isAllowedCharacter(QChar c);
// The text for an XML element or attribute.
QByteArray xmlEscaped(const QString &value);
// "1234.56": exactly two decimals from the cents.
QByteArray amount(qint64 cents);

enum class Kind { Lastschriften, Gutschriften };
enum class Version { V2019, V2009 };

// The namespace and root of a file, "urn:iso:std:iso:20022:tech:xsd:pain.008.001.08" and so on.
QString messageName(Kind kind, Version version);

struct Transaction {
    QString endToEndId;
    QString name; // the debtor (direct debits) or creditor (credit transfers)
    QString iban;
    QString bic; // empty: not provided
    qint64 cents = 0;
    QString mandateId; // direct debits
    QDate mandateDate;
    QString remittance;
};

struct Document {
    Kind kind = Kind::Lastschriften;
    Version version = Version::V2019;
    QString scheme = QStringLiteral("CORE"); // direct debits: CORE or B2B
    QString sequence = QStringLiteral("RCUR"); // direct debits: RCUR, FRST, OOFF or FNAL
    QString messageId;
    QDateTime created;
    QDate executionDate; // collection date of direct debits, execution date of credit transfers
    QString name; // initiating party and creditor/debtor
    QString iban;
    QString bic;
    QString creditorId; // direct debits
    std::vector<Transaction> transactions;
    qint64 sumCents() const;
};

// The XML file; texts are converted to the bank character set and cut to their lengths here.
QByteArray write(const Document &document);
// A message identification unique to this program's files: time to the millisecond and a counter.
QString newMessageId(const QDateTime &now);

} // namespace Sepa
