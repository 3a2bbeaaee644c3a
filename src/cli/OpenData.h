#pragma once

#include "base/Errors.h"
#include "data/DataDirectoryLock.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"

#include <QDir>

// The data module on a data folder, locked against a running program, its files read with the
// checks every booking passes in the program.
class OpenData
{
public:
    explicit OpenData(const QString &dataDirectory)
        : data({dataDirectory, {}})
    {
        QDir().mkpath(data.DataDirectory());
        if (!lock.acquire())
            throw BelvantoError(lock.failureMessage());
        data.SetQuennDTA(&checks);
        data.OpenDataFiles();
    }
    TDataModule1 data;

private:
    TQuennDTA checks;
    DataDirectoryLock lock {data.DataDirectory()};
};
