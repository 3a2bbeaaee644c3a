#pragma once

#include "data/Table.h"

#include <functional>
#include <QHash>
#include <QObject>

class TQuennDTA;

// Where the data module finds its files. Empty members take the program's defaults.
struct DataLocations {
    QString dataDirectory; // the four data files
    QString programDirectory; // an earlier installation's files, and the installed blz.xml
};

// Holds the four tables for the whole run, their files and the state of the record rules.
class TDataModule1 : public QObject
{
    Q_OBJECT
public:
    explicit TDataModule1(const DataLocations &locations = {}, QObject *parent = nullptr);
    ~TDataModule1() override;

    Table *ClientDataSet1; // bookings
    Table *ClientDataSet2; // payers
    Table *ClientDataSet3; // clients
    Table *ClientDataSet4; // bank directory

    void DataModuleCreate();
    void DBErstellen();
    void OpenDataFiles();
    void DisconnectDB();
    void ConnectDB();
    // The tables' last write at the end of the program: every table with unwritten changes.
    void CloseTables();
    // Bookings, payers and clients to their own files (main window closing, payment-file dialog);
    // tables that were not read from their files are left alone.
    void SaveTables();

    QString DataDirectory() const { return m_dataDirectory; }
    QString ProgramDirectory() const { return m_programDirectory; }
    static QString DefaultDataDirectory();
    // The bookings filter of "Heute fällig": the bookings due today.
    static QString DueTodayFilter();

    // State of the record rules
    qint32 LastBuchungID = 0;
    qint32 LastEmpfID = 0;
    qint32 LastMandantID = 0;
    qint16 LetzteArt = 0;
    bool SavePayerOnPost = false;

    // Set by the main window: stores the column widths of its three grids.
    std::function<void()> StoreColumnWidths;
    // Set by the editors: enables the "Speichern" button of the table's editor when it is on screen.
    std::function<void(Table *table)> EnableEditorSave;
    // Set by the amount calculator: empties it after a booking was posted.
    std::function<void()> ClearAmountCalculator;

    // Suspends the views of the three data tables for a long walk or a bulk change (DisconnectDB), and
    // lets them follow again however the scope is left.
    class FrozenViews
    {
    public:
        explicit FrozenViews(TDataModule1 &data)
            : m_data(data)
        {
            m_data.DisconnectDB();
        }
        ~FrozenViews() { m_data.ConnectDB(); }
        Q_DISABLE_COPY(FrozenViews)

    private:
        TDataModule1 &m_data;
    };

    // Counters given by a bulk operation (an import of many lines) reach the settings once, at its end,
    // instead of once per record. Records are written to their files only later, so no number given
    // in between can have reached a file without its counter. finish() reports a failed write.
    class CounterBatch
    {
    public:
        explicit CounterBatch(TDataModule1 &data);
        ~CounterBatch();
        void finish();
        Q_DISABLE_COPY(CounterBatch)

    private:
        TDataModule1 &m_data;
        bool m_finished = false;
    };

    // The engine whose checks the bookings pass before they are posted; it belongs to the
    // payment-file dialog and lives as long as this module.
    void SetQuennDTA(TQuennDTA *engine);

    // Record rules, run by the tables
    void ClientDataSet1AfterInsert();
    void ClientDataSet1BeforeEdit();
    void ClientDataSet1BeforePost();
    void ClientDataSet1AfterPost(const TableRow &posted);
    void ClientDataSet1CalcFields(CalcRecord &record);
    void ClientDataSet2AfterInsert();
    void ClientDataSet2BeforeEdit();
    void ClientDataSet2CalcFields(CalcRecord &record);
    void ClientDataSet3AfterInsert();
    void ClientDataSet3BeforeEdit();
    void ClientDataSet3CalcFields(CalcRecord &record);

    // The name of a bank in the bank directory; empty when the code is not listed.
    QString BankName(qint32 blz);

    static QList<FieldDef> BookingFields();
    static QList<FieldDef> PayerFields();
    static QList<FieldDef> ClientFields();
    static QList<FieldDef> BankFields();

private:
    void DefineTables();
    void DefineTable(Table *table);
    void CreateEmpty(Table *table);
    QList<Table *> DataTables() const;
    void ConnectRules();
    void AddPayerFromBooking();
    void ReadRuleSettings();
    void StoreCounter(const QString &name, qint32 value);
    void WritePendingCounters();
    void RaiseCountersToLoadedIDs();
    void SetBankNames(CalcRecord &record, const QStringList &codeAndNameFields);

    QString m_dataDirectory;
    QString m_programDirectory;
    TQuennDTA *m_quennDTA = nullptr;
    QHash<QString, int> m_bankIndex; // bank code text to its first position in the directory
    bool m_bankIndexValid = false;
    int m_counterBatches = 0;
    QHash<QString, qint32> m_pendingCounters;
};
