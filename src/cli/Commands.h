#pragma once

#include "cli/Command.h"

// The commands of belvanto-cli, one class each; main() lists them in the order of the help.

class TableDumpCommand : public Command
{
public:
    TableDumpCommand();
    int run(const QCommandLineParser &parser) override;
};

class TableCopyCommand : public Command
{
public:
    TableCopyCommand();
    int run(const QCommandLineParser &parser) override;
};

class DtausWriteCommand : public Command
{
public:
    DtausWriteCommand();
    int run(const QCommandLineParser &parser) override;
};

class DtausReadCommand : public Command
{
public:
    DtausReadCommand();
    int run(const QCommandLineParser &parser) override;
};

class DtausVerifyCommand : public Command
{
public:
    DtausVerifyCommand();
    int run(const QCommandLineParser &parser) override;
};

class CreateCommand : public Command
{
public:
    CreateCommand();
    int run(const QCommandLineParser &parser) override;
    bool paints(const QStringList &args) const override;
};

class ImportDtausCommand : public Command
{
public:
    ImportDtausCommand();
    int run(const QCommandLineParser &parser) override;
};

class ImportTextCommand : public Command
{
public:
    ImportTextCommand();
    int run(const QCommandLineParser &parser) override;
};

class BackupCommand : public Command
{
public:
    BackupCommand();
    int run(const QCommandLineParser &parser) override;
};

class RestoreCommand : public Command
{
public:
    RestoreCommand();
    int run(const QCommandLineParser &parser) override;
};

class DeleteBookingsCommand : public Command
{
public:
    DeleteBookingsCommand();
    int run(const QCommandLineParser &parser) override;
};

class BlzImportCommand : public Command
{
public:
    BlzImportCommand();
    int run(const QCommandLineParser &parser) override;
};

class DtausSlipCommand : public Command
{
public:
    DtausSlipCommand();
    int run(const QCommandLineParser &parser) override;
};

class SepaCreateCommand : public Command
{
public:
    SepaCreateCommand();
    int run(const QCommandLineParser &parser) override;
};

class SepaVerifyCommand : public Command
{
public:
    SepaVerifyCommand();
    int run(const QCommandLineParser &parser) override;
};

class IbanCommand : public Command
{
public:
    IbanCommand();
    int run(const QCommandLineParser &parser) override;
};

class PrintCommand : public Command
{
public:
    PrintCommand();
    int run(const QCommandLineParser &parser) override;
};
