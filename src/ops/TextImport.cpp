#include "ops/TextImport.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "data/DataModule.h"
#include "data/Names.h"

namespace TextImport {
namespace {

enum class Kind { Text, Integer, Purpose, ActiveAccount, Amount };

struct ImportField {
    const char *label;
    QString field;
    Kind kind;
};

const QList<ImportField> &fieldsOf(Target target)
{
    static const QList<ImportField> payers {
        {"Name", Payers::Name, Kind::Text},
        {"Kontonummer 1", Payers::Kontonummer(1), Kind::Text},
        {"BLZ 1", Payers::BLZ(1), Kind::Integer},
        {"Verwendungszweck", Payers::Verwendungszweck, Kind::Purpose},
        {"Straße", Payers::Strasse, Kind::Text},
        {"PLZ", Payers::PLZ, Kind::Text},
        {"Ort", Payers::Ort, Kind::Text},
        {"Land", Payers::Land, Kind::Text},
        {"Kontonummer 2", Payers::Kontonummer(2), Kind::Text},
        {"BLZ 2", Payers::BLZ(2), Kind::Integer},
        {"Kontonummer 3", Payers::Kontonummer(3), Kind::Text},
        {"BLZ 3", Payers::BLZ(3), Kind::Integer},
        {"Aktives Konto", Payers::AktivesKonto, Kind::ActiveAccount},
    };
    static const QList<ImportField> bookings {
        {"Name", Bookings::Name, Kind::Text},       {"Kontonummer", Bookings::Kontonummer, Kind::Text},
        {"BLZ", Bookings::BLZ, Kind::Integer},      {"Verwendungszweck", Bookings::Verwendungszweck, Kind::Purpose},
        {"Betrag", Bookings::Betrag, Kind::Amount},
    };
    return target == Target::Payers ? payers : bookings;
}

void fill(Table &table, const ImportField &f, const QString &cell)
{
    const QString &field = f.field;
    switch (f.kind) {
    case Kind::Text: table.setAsString(field, cell); break;
    case Kind::Purpose: table.setAsString(field, PurposeLines(cell)); break;
    case Kind::Amount: table.setAsString(field, cell); break; // a bad amount stops the import
    case Kind::Integer: try { table.setAsString(field, cell);
        } catch (const BelvantoError &) {
            // a bank code that is no number stays empty
        }
        break;
    case Kind::ActiveAccount:
        if (cell == QLatin1String("1") || cell == QLatin1String("2") || cell == QLatin1String("3"))
            table.setAsString(field, cell);
        break;
    }
}

void fillBookingDefaults(Table &table, const Settings &settings)
{
    table.setAsString(Bookings::Status, Status::Offen);
    table.setAsString(Bookings::Zahlungsart,
                      settings.gutschriften ? Zahlungsart::GS_Ueberweisung : Zahlungsart::LS_Einzug);
    table.setAsDate(Bookings::Erstellungsdatum, Clock::today());
    table.setAsDate(Bookings::Faelligkeit, settings.due);
}

QString recordsText(Target target, int count)
{
    if (target == Target::Payers)
        return count == 1 ? QStringLiteral("1 Empfänger/Zahlungspflichtiger")
                          : QStringLiteral("%1 Empfänger/Zahlungspflichtige").arg(count);
    return count == 1 ? QStringLiteral("1 Buchungssatz") : QStringLiteral("%1 Buchungssätze").arg(count);
}

} // namespace

QStringList FieldLabels(Target target)
{
    QStringList labels;
    for (const ImportField &f : fieldsOf(target))
        labels << QString::fromUtf8(f.label);
    return labels;
}

QString PurposeLines(const QString &cell)
{
    QString text;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        text += cell.at(i);
        if ((i + 1) % 27 == 0)
            text += QStringLiteral("\r\n");
    }
    return text;
}

Result Run(TDataModule1 &data, const DelimitedText::Table &table, const Settings &settings)
{
    Table &target = settings.target == Target::Payers ? *data.ClientDataSet2 : *data.ClientDataSet1;
    const QList<ImportField> &fields = fieldsOf(settings.target);
    const TDataModule1::FrozenViews frozen(data); // the grids are brought up to date once, at the end
    TDataModule1::CounterBatch counters(data);
    Result result;
    for (int row = settings.titleRow ? 1 : 0; row < table.rowCount(); ++row) {
        try {
            target.insert();
            for (int i = 0; i < fields.size(); ++i) {
                const int column = settings.columnOfField.value(i, -1);
                if (column >= 0)
                    fill(target, fields.at(i), table.cell(column, row));
            }
            if (settings.target == Target::Bookings)
                fillBookingDefaults(target, settings);
            target.post();
        } catch (const SilentAbort &) {
            target.cancel(); // the refused line's entry is not left open
            result.stoppedAtRow = row;
            counters.finish();
            return result;
        } catch (const BelvantoError &error) {
            target.cancel();
            result.stoppedAtRow = row;
            result.message = error.message() + QStringLiteral("\r\n\r\n") + SummaryText(settings.target, result);
            counters.finish();
            return result;
        }
        ++result.added;
    }
    counters.finish();
    return result;
}

QString SummaryText(Target target, const Result &result)
{
    const QString added = QStringLiteral("Importiert: %1.").arg(recordsText(target, result.added));
    if (result.stoppedAtRow >= 0)
        return QStringLiteral("Der Import endete in Zeile %1. ").arg(result.stoppedAtRow + 1) + added;
    return added;
}

} // namespace TextImport
