#include "data/DataModule.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "data/DTAConst.h"
#include "data/FormatSettings.h"
#include "data/INI.h"
#include "data/Names.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
FieldDef integerField(const QString &name, int width, const QString &label = {})
{
    return {name, FieldType::Integer, 0, label, width, true};
}

FieldDef textField(const QString &name, int size, int width, const QString &label = {})
{
    return {name, FieldType::String, size, label, width, true};
}

FieldDef calculatedField(const QString &name, int size, int width)
{
    return {name, FieldType::Calculated, size, {}, width, true};
}

// The address and account fields that payers and clients share; payers add their payment reference.
QList<FieldDef> accountHolderFields(bool withPurpose, bool withLabels, int accountWidth, int blzWidth)
{
    const auto label = [withLabels](const QString &text) { return withLabels ? text : QString(); };
    QList<FieldDef> fields {
        integerField(AccountHolders::ID, 6),
        textField(AccountHolders::Name, 50, 15),
        textField(AccountHolders::Kontonummer(1), 50, accountWidth, label(QStringLiteral("Kontonummer 1"))),
        integerField(AccountHolders::BLZ(1), blzWidth, label(QStringLiteral("BLZ 1"))),
        calculatedField(AccountHolders::Bank(1), 50, 15),
    };
    if (withPurpose)
        fields.append(textField(AccountHolders::Verwendungszweck, 100, 15));
    FieldDef land = textField(AccountHolders::Land, 100, 7);
    land.visible = false;
    fields.append({
        textField(AccountHolders::Strasse, 100, 15),
        textField(AccountHolders::PLZ, 10, 6),
        textField(AccountHolders::Ort, 100, 15),
        land,
        textField(AccountHolders::Kontonummer(2), 50, accountWidth, label(QStringLiteral("Kontonummer 2"))),
        integerField(AccountHolders::BLZ(2), blzWidth, label(QStringLiteral("BLZ 2"))),
        calculatedField(AccountHolders::Bank(2), 50, 15),
        textField(AccountHolders::Kontonummer(3), 50, accountWidth, label(QStringLiteral("Kontonummer 3"))),
        integerField(AccountHolders::BLZ(3), blzWidth, label(QStringLiteral("BLZ 3"))),
        calculatedField(AccountHolders::Bank(3), 50, 15),
        integerField(AccountHolders::AktivesKonto, 3),
    });
    return fields;
}

// The fields for SEPA files, appended to the stored fields of earlier versions and hidden in the grids.
FieldDef sepaField(const QString &name, FieldType type, int size, const QString &label = {})
{
    return {name, type, size, label, 10, false, true};
}

constexpr int kDefaultIntegerWidth = 11;
} // namespace

QList<FieldDef> TDataModule1::BookingFields()
{
    return {
        integerField(Bookings::ID, 3),
        textField(Bookings::Name, 50, 15),
        textField(Bookings::Kontonummer, 50, 10),
        integerField(Bookings::BLZ, 10),
        calculatedField(Bookings::Bank, 100, 15),
        textField(Bookings::Verwendungszweck, 100, 15),
        {Bookings::Betrag, FieldType::Currency, 0, {}, 10, true},
        textField(Bookings::Status, 20, 10),
        textField(Bookings::Zahlungsart, 40, 15),
        {Bookings::Erstellungsdatum, FieldType::Date, 0, {}, 15, true},
        {Bookings::Faelligkeit, FieldType::Date, 0, QStringLiteral("Fälligkeit"), 15, true},
    };
}

QList<FieldDef> TDataModule1::PayerFields()
{
    return accountHolderFields(true, true, 10, 10)
        + QList<FieldDef> {sepaField(Payers::Mandatsreferenz, FieldType::String, 35),
                           sepaField(Payers::Mandatsdatum, FieldType::Date, 0)};
}

QList<FieldDef> TDataModule1::ClientFields()
{
    return accountHolderFields(false, false, 15, kDefaultIntegerWidth)
        + QList<FieldDef> {sepaField(Clients::GlaeubigerID, FieldType::String, 35, QStringLiteral("Gläubiger-ID"))};
}

QList<FieldDef> TDataModule1::BankFields()
{
    return {textField(BankDirectory::BLZ, 8, 8), textField(BankDirectory::Bank, 100, 30),
            sepaField(BankDirectory::BIC, FieldType::String, 11)};
}

TDataModule1::TDataModule1(const DataLocations &locations, QObject *parent)
    : QObject(parent)
    , ClientDataSet1(new Table(QStringLiteral("Buchungssätze"), this))
    , ClientDataSet2(new Table(QStringLiteral("Empfänger/Zahlungspflichtige"), this))
    , ClientDataSet3(new Table(QStringLiteral("Mandanten"), this))
    , ClientDataSet4(new Table(QStringLiteral("Bankleitzahlen"), this))
    , m_dataDirectory(locations.dataDirectory)
    , m_programDirectory(locations.programDirectory)
{
    DefineTables();
    ConnectRules();
    DataModuleCreate();
}

TDataModule1::~TDataModule1() = default;

void TDataModule1::DefineTables()
{
    for (Table *table : {ClientDataSet1, ClientDataSet2, ClientDataSet3, ClientDataSet4})
        DefineTable(table);
}

void TDataModule1::DefineTable(Table *table)
{
    if (table == ClientDataSet1) {
        table->setFields(BookingFields());
        table->setOrder(Bookings::ID, true, QStringLiteral("ID-desc"));
    } else if (table == ClientDataSet4) {
        table->setFields(BankFields());
        table->setOrder(BankDirectory::BLZ, false);
    } else {
        table->setFields(table == ClientDataSet2 ? PayerFields() : ClientFields());
        table->setOrder(AccountHolders::ID, false);
    }
}

QString TDataModule1::DefaultDataDirectory()
{
#ifdef Q_OS_WIN
    const QString common = qEnvironmentVariable("ProgramData", QStringLiteral("C:/ProgramData"));
#else
    const QString common = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    return QDir(common).filePath(DTAConst::kProductFolder);
}

void TDataModule1::DataModuleCreate()
{
    if (m_dataDirectory.isEmpty())
        m_dataDirectory = DefaultDataDirectory();
    if (m_programDirectory.isEmpty())
        m_programDirectory = QCoreApplication::applicationDirPath();
    const QDir dir(m_dataDirectory);
    ClientDataSet4->setFileName(dir.filePath(DTAConst::kBankFile));
    ClientDataSet1->setFileName(dir.filePath(DTAConst::kBookingsFile));
    ClientDataSet2->setFileName(dir.filePath(DTAConst::kPayersFile));
    ClientDataSet3->setFileName(dir.filePath(DTAConst::kClientsFile));
}

QList<Table *> TDataModule1::DataTables() const
{
    return {ClientDataSet1, ClientDataSet2, ClientDataSet3};
}

void TDataModule1::CreateEmpty(Table *table)
{
    table->close();
    DefineTable(table);
    table->emptyTable();
    table->setProtected(false);
    table->saveToFile();
}

void TDataModule1::DBErstellen()
{
    CreateEmpty(ClientDataSet2);
    CreateEmpty(ClientDataSet1);
    CreateEmpty(ClientDataSet3);
    LetzteArt = 2;
    WriteSettingInteger(Settings::LetzteArt, 2);
    if (StoreColumnWidths)
        StoreColumnWidths();
}

void TDataModule1::ReadRuleSettings()
{
    LastBuchungID = ReadSettingInteger(Settings::LastBuchungID);
    LastEmpfID = ReadSettingInteger(Settings::LastEmpfIDRead);
    LastMandantID = ReadSettingInteger(Settings::LastMandantID);
    LetzteArt = qint16(ReadSettingInteger(Settings::LetzteArt));
}

void TDataModule1::RaiseCountersToLoadedIDs()
{
    const auto highestID = [](Table *table) {
        qint32 highest = 0;
        const int id = table->fieldIndex(Bookings::ID); // the same name in every table with IDs
        for (int i = 0; i < table->recordCount(); ++i)
            highest = std::max(highest, table->asStringAt(i, id).toInt());
        return highest;
    };
    // Settings that were lost or restored from elsewhere must not give an ID a second time.
    LastBuchungID = std::max(LastBuchungID, highestID(ClientDataSet1));
    LastEmpfID = std::max(LastEmpfID, highestID(ClientDataSet2));
    LastMandantID = std::max(LastMandantID, highestID(ClientDataSet3));
}

void TDataModule1::OpenDataFiles()
{
    // Read first: a data file that cannot be read must not cost the counters (IDs given twice) or the
    // remembered payment kind.
    ReadRuleSettings();
    QDir().mkpath(m_dataDirectory);
    const QDir data(m_dataDirectory);
    const QDir program(m_programDirectory);
    if (!data.exists(DTAConst::kBankFile)) {
        for (const QString &installed :
             {program.filePath(DTAConst::kBankFile), program.filePath(QStringLiteral("../share/belvanto/blz.xml"))}) {
            if (QFile::exists(installed) && QFile::copy(installed, data.filePath(DTAConst::kBankFile)))
                break;
        }
    }

    QList<Table *> pending {ClientDataSet4, ClientDataSet1, ClientDataSet2, ClientDataSet3};
    try {
        const bool noneThere = !data.exists(DTAConst::kBookingsFile) && !data.exists(DTAConst::kPayersFile)
            && !data.exists(DTAConst::kClientsFile);
        if (noneThere && program.exists(DTAConst::kBookingsFile)) {
            const QStringList files {DTAConst::kBookingsFile, DTAConst::kPayersFile, DTAConst::kClientsFile};
            for (int i = 0; i < 3; ++i) {
                DataTables().at(i)->loadFromFile(program.filePath(files.at(i)));
                DataTables().at(i)->saveToFile();
            }
        } else if (noneThere) {
            DBErstellen();
        }
        while (!pending.isEmpty()) {
            pending.first()->loadFromFile();
            pending.removeFirst();
        }
        RaiseCountersToLoadedIDs();
    } catch (const BelvantoError &error) {
        RaiseCountersToLoadedIDs();
        // Tables that were not read keep their files untouched for the rest of the run.
        for (Table *table : pending)
            table->setProtected(true);
        throw BelvantoError(error.message()
                            + QStringLiteral("\r\n\r\nBelvanto arbeitet ohne die Daten dieser und der folgenden "
                                             "Dateien weiter und verändert sie nicht. Bitte beenden Sie Belvanto "
                                             "und prüfen Sie die Datei."));
    }
}

void TDataModule1::DisconnectDB()
{
    for (Table *table : DataTables())
        table->disableControls();
}

void TDataModule1::ConnectDB()
{
    for (Table *table : DataTables())
        table->enableControls();
}

void TDataModule1::SaveTables()
{
    for (Table *table : DataTables()) {
        if (!table->isProtected())
            table->saveToFile();
    }
}

void TDataModule1::CloseTables()
{
    for (Table *table : {ClientDataSet4, ClientDataSet1, ClientDataSet2, ClientDataSet3})
        table->close();
}

QString TDataModule1::DueTodayFilter()
{
    return QStringLiteral("%1 = '%2'").arg(Bookings::Faelligkeit, FormatSettings::dateToStr(Clock::today()));
}
