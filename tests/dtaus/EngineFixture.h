#pragma once

#include "base/Clock.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"

// An engine with a valid originator that writes into the test's folder.
class EngineTest : public BelvantoTest
{
protected:
    void SetUp() override
    {
        BelvantoTest::SetUp();
        engine.SetPath(m_dir.path());
        engine.FileName = QStringLiteral("DTAUS0.TXT");
        engine.SetAuftraggeberName(QStringLiteral("Verein e.V."));
        engine.SetAuftraggeberBLZ(12345678);
        engine.SetAuftraggeberKontoNr(1234567890);
        engine.SetLastschriften(true);
    }

    QByteArray written() const { return readFile(QStringLiteral("DTAUS0.TXT")); }

    // One file with a single transaction of these purpose lines.
    QByteArray fileWith(QStringList lines, double amount = 12.5)
    {
        engine.Start();
        engine.AddBuchung(QStringLiteral("Müller"), 1234567, 10020030, amount, lines);
        engine.Finish();
        return written();
    }

    // Characters at positions from..from+length-1 (counted from 1) of the file.
    static QByteArray at(const QByteArray &file, int from, int length) { return file.mid(from - 1, length); }

    TQuennDTA engine;
};
