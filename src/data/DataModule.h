#pragma once

#include "Table.h"

#include <QObject>
#include <functional>

class TQuennDTA;

// Where the data module finds its files. Empty members take the program's defaults.
struct DataLocations {
    QString dataDirectory;    // the four data files
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

    // State of the record rules
    qint32 LastBuchungID = 0;
    qint32 LastEmpfID = 0;
    qint32 LastMandantID = 0;
    qint16 LetzteArt = 0;
    bool SavePayerOnPost = false;

    // Set by the main window: stores the column widths of its three grids.
    std::function<void()> StoreColumnWidths;

    static QList<FieldDef> BookingFields();
    static QList<FieldDef> PayerFields();
    static QList<FieldDef> ClientFields();
    static QList<FieldDef> BankFields();

private:
    void DefineTables();
    void DefineTable(Table *table);
    void CreateEmpty(Table *table);
    QList<Table *> DataTables() const;

    QString m_dataDirectory;
    QString m_programDirectory;
};
