// The record rules: what happens to every booking, payer and client when it is inserted, edited,
// posted or read, whoever does it (editors, imports, the payment-file run).
#include "data/DataModule.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "base/MessageService.h"
#include "base/Windows1252.h"
#include "data/FormatSettings.h"
#include "data/INI.h"
#include "data/Names.h"
#include "dtaus/QuennDTA.h"

namespace {
const QString kNoHolder = QStringLiteral("Kontoinhaber nicht angeben");
const QString kBadBLZ = QStringLiteral("BLZ fehlerhaft");
const QString kBadKonto = QStringLiteral("Kontonummer fehlerhaft");
const QString kBadBetrag = QStringLiteral("Betrag fehlerhaft");

[[noreturn]] void refuse(const QString &message)
{
    MessageService::current().error(message);
    throw SilentAbort();
}

// Runs one engine check; its error (the engine's ShowWarnings is off) becomes the rule's own message.
template <typename Check> void check(Check &&engineCheck, const QString &message)
{
    try {
        if (!engineCheck())
            refuse(message);
    } catch (const BelvantoError &) {
        refuse(message);
    }
}

qint64 wholeNumber(const QString &text, const QString &message)
{
    const auto value = FormatSettings::tryStrToInt64(text);
    if (!value)
        refuse(message);
    return *value;
}
} // namespace

void TDataModule1::ConnectRules()
{
    ClientDataSet1->afterInsert = [this](Table &) { ClientDataSet1AfterInsert(); };
    ClientDataSet1->beforeEdit = [this](Table &) { ClientDataSet1BeforeEdit(); };
    ClientDataSet1->beforePost = [this](Table &) { ClientDataSet1BeforePost(); };
    ClientDataSet1->afterPost = [this](Table &, const TableRow &posted) { ClientDataSet1AfterPost(posted); };
    ClientDataSet1->onCalcFields = [this](CalcRecord &r) { ClientDataSet1CalcFields(r); };
    ClientDataSet2->afterInsert = [this](Table &) { ClientDataSet2AfterInsert(); };
    ClientDataSet2->beforeEdit = [this](Table &) { ClientDataSet2BeforeEdit(); };
    ClientDataSet2->onCalcFields = [this](CalcRecord &r) { ClientDataSet2CalcFields(r); };
    ClientDataSet3->afterInsert = [this](Table &) { ClientDataSet3AfterInsert(); };
    ClientDataSet3->beforeEdit = [this](Table &) { ClientDataSet3BeforeEdit(); };
    ClientDataSet3->onCalcFields = [this](CalcRecord &r) { ClientDataSet3CalcFields(r); };
    // The bank-code index follows the directory's content.
    connect(ClientDataSet4, &Table::reset, this, [this] { m_bankIndexValid = false; });
    connect(ClientDataSet4, &Table::rowInserted, this, [this] { m_bankIndexValid = false; });
    connect(ClientDataSet4, &Table::rowRemoved, this, [this] { m_bankIndexValid = false; });
}

void TDataModule1::SetQuennDTA(TQuennDTA *engine)
{
    m_quennDTA = engine;
}

// ---------------------------------------------------------------------------------------------------------------
// Insert rules

void TDataModule1::StoreCounter(const QString &name, qint32 value)
{
    if (m_counterBatches > 0)
        m_pendingCounters.insert(name, value);
    else
        WriteSettingInteger(name, value);
}

void TDataModule1::WritePendingCounters()
{
    const auto pending = std::exchange(m_pendingCounters, {});
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        WriteSettingInteger(it.key(), it.value());
}

TDataModule1::CounterBatch::CounterBatch(TDataModule1 &data)
    : m_data(data)
{
    ++m_data.m_counterBatches;
}

void TDataModule1::CounterBatch::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (--m_data.m_counterBatches == 0)
        m_data.WritePendingCounters();
}

TDataModule1::CounterBatch::~CounterBatch()
{
    try {
        finish();
    } catch (const std::exception &error) {
        qWarning("Zähler konnten nicht gespeichert werden: %s", error.what());
    }
}

void TDataModule1::ClientDataSet1AfterInsert()
{
    ++LastBuchungID;
    StoreCounter(Settings::LastBuchungID, LastBuchungID);
    Table &t = *ClientDataSet1;
    t.setAsInteger(Bookings::ID, LastBuchungID);
    t.setAsDate(Bookings::Faelligkeit, Clock::today());
    t.setAsDate(Bookings::Erstellungsdatum, Clock::today());
    t.setAsString(Bookings::Status, Status::Offen);
    switch (LetzteArt) {
    case 0: t.setAsString(Bookings::Zahlungsart, Zahlungsart::LS_Einzug); break;
    case 1: t.setAsString(Bookings::Zahlungsart, Zahlungsart::LS_Abbuchung); break;
    case 2: t.setAsString(Bookings::Zahlungsart, Zahlungsart::GS_Ueberweisung); break;
    default: break;
    }
}

void TDataModule1::ClientDataSet2AfterInsert()
{
    ++LastEmpfID;
    StoreCounter(Settings::LastEmpfIDWrite, LastEmpfID);
    ClientDataSet2->setAsInteger(Payers::ID, LastEmpfID);
    ClientDataSet2->setAsInteger(Payers::AktivesKonto, 1);
}

void TDataModule1::ClientDataSet3AfterInsert()
{
    ++LastMandantID;
    StoreCounter(Settings::LastMandantID, LastMandantID);
    ClientDataSet3->setAsInteger(Clients::ID, LastMandantID);
    ClientDataSet3->setAsInteger(Clients::AktivesKonto, 1);
}

// ---------------------------------------------------------------------------------------------------------------
// Edit rules: the table's editor, when it is on screen, offers "Speichern".

void TDataModule1::ClientDataSet1BeforeEdit()
{
    if (EnableEditorSave)
        EnableEditorSave(ClientDataSet1);
}

void TDataModule1::ClientDataSet2BeforeEdit()
{
    if (EnableEditorSave)
        EnableEditorSave(ClientDataSet2);
}

void TDataModule1::ClientDataSet3BeforeEdit()
{
    if (EnableEditorSave)
        EnableEditorSave(ClientDataSet3);
}

// ---------------------------------------------------------------------------------------------------------------
// Before and after posting a booking

void TDataModule1::ClientDataSet1BeforePost()
{
    if (!m_quennDTA)
        throw BelvantoError(QStringLiteral("Die Prüfung der Buchungen ist nicht eingerichtet."));
    const TQuennDTA &engine = *m_quennDTA;
    Table &t = *ClientDataSet1;
    const QString name = Windows1252::restrict(t.asString(Bookings::Name));
    check([&] { return engine.CheckEmpfaenger(name); }, kNoHolder);
    const qint64 blz = wholeNumber(t.asString(Bookings::BLZ), kBadBLZ);
    check([&] { return engine.CheckBankleitzahl(blz); }, kBadBLZ);
    const qint64 konto = wholeNumber(t.asString(Bookings::Kontonummer), kBadKonto);
    check([&] { return engine.CheckKontonummer(konto); }, kBadKonto);
    const auto betrag = FormatSettings::tryStrToFloat(t.asString(Bookings::Betrag));
    if (!betrag)
        refuse(kBadBetrag);
    check([&] { return engine.CheckBetrag(*betrag); }, kBadBetrag);

    if (SavePayerOnPost && t.state() == Table::State::Insert)
        AddPayerFromBooking();
}

void TDataModule1::AddPayerFromBooking()
{
    Table &booking = *ClientDataSet1;
    Table &payer = *ClientDataSet2;
    payer.insert();
    payer.setAsString(Payers::Name, booking.asString(Bookings::Name));
    payer.setAsString(Payers::Kontonummer(1), booking.asString(Bookings::Kontonummer));
    payer.setAsString(Payers::BLZ(1), booking.asString(Bookings::BLZ));
    payer.setAsString(Payers::Verwendungszweck, booking.asString(Bookings::Verwendungszweck));
    payer.post();
}

void TDataModule1::ClientDataSet1AfterPost(const TableRow &posted)
{
    // The posted booking, which need not be the current one: it may have left a filtered view.
    const QString kind = ClientDataSet1->rowText(posted, Bookings::Zahlungsart);
    LetzteArt = kind == Zahlungsart::LS_Einzug ? 0 : kind == Zahlungsart::LS_Abbuchung ? 1 : 2;
    if (ClearAmountCalculator) {
        try {
            ClearAmountCalculator();
        } catch (const std::exception &) {
            // The calculator is a convenience; a failure there must not undo a saved booking.
        }
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Calculated bank names

QString TDataModule1::BankName(qint32 blz)
{
    if (!m_bankIndexValid) {
        m_bankIndex.clear();
        const int codeField = ClientDataSet4->fieldIndex(BankDirectory::BLZ);
        for (int i = ClientDataSet4->recordCount() - 1; i >= 0; --i) // the first of equal codes wins
            m_bankIndex.insert(ClientDataSet4->asStringAt(i, codeField), i);
        m_bankIndexValid = true;
    }
    const auto it = m_bankIndex.constFind(QString::number(blz));
    if (it == m_bankIndex.constEnd())
        return {};
    // A lookup moves the directory's current record, as a locate would.
    ClientDataSet4->setRecNo(it.value());
    return ClientDataSet4->asStringAt(it.value(), ClientDataSet4->fieldIndex(BankDirectory::Bank));
}

void TDataModule1::SetBankNames(CalcRecord &record, const QStringList &pairs)
{
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        try {
            if (!record.isNull(pairs.at(i)))
                record.setText(pairs.at(i + 1), BankName(record.asInteger(pairs.at(i))));
        } catch (const std::exception &) {
            // A failed lookup leaves its name empty and does not stop the others.
        }
    }
}

void TDataModule1::ClientDataSet1CalcFields(CalcRecord &record)
{
    SetBankNames(record, {Bookings::BLZ, Bookings::Bank});
}

void TDataModule1::ClientDataSet2CalcFields(CalcRecord &record)
{
    SetBankNames(record,
                 {Payers::BLZ(1), Payers::Bank(1), Payers::BLZ(2), Payers::Bank(2), Payers::BLZ(3), Payers::Bank(3)});
}

void TDataModule1::ClientDataSet3CalcFields(CalcRecord &record)
{
    ClientDataSet2CalcFields(record);
}
