#include "entry/db1eingabe.h"

#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "dtaus/QuennDTA.h"
#include "entry/absendersuchen.h"
#include "entry/AccountWarning.h"
#include "entry/Betrag.h"
#include "widgets/DataControls.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/ModalWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A helper button beside a box: clicked with the mouse, passed over by Tab and Enter.
QToolButton *smallButton(const QString &hint)
{
    auto *button = new QToolButton;
    button->setText(QStringLiteral("…"));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Marker of a text that should be a whole number within bounds; a text that is no number changes nothing.
void checkRange(const MarkerPair &marker, const QString &text, qint64 from, qint64 to)
{
    if (const auto value = FormatSettings::tryStrToInt64(text))
        marker.show(*value >= from && *value <= to);
}

QWidget *withExtras(QWidget *control, std::initializer_list<QWidget *> extras)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 1);
    for (QWidget *extra : extras)
        layout->addWidget(extra);
    return row;
}
} // namespace

TDB1EingabeF::TDB1EingabeF(TDataModule1 &dataModule, TAbsenderSuchenF &search, QWidget *parent)
    : RecordEditor(*dataModule.ClientDataSet1, QStringLiteral("Buchungssätze eingeben"),
                   QStringLiteral("Möchten Sie diesen Buchungssatz wirklich löschen?"), parent)
    , m_data(dataModule)
    , m_search(search)
{
    Table &t = table();
    const auto edit = [&t](const QString &field) { return new DBEdit(t, field); };
    DBText1 = new DBText(t, Bookings::ID);
    CBName = new QComboBox;
    CBName->setEditable(true);
    CBName->setInsertPolicy(QComboBox::NoInsert);
    m_nameEdit = new DBEdit(t, Bookings::Name);
    CBName->setLineEdit(m_nameEdit);
    SpeedButton1 = smallButton(QStringLiteral("Finden"));
    DBEdit1 = edit(Bookings::Kontonummer);
    DBEdit2 = edit(Bookings::BLZ);
    LPruefziffer = new AccountWarning(*DBEdit1, *DBEdit2);
    DBText2 = new DBText(t, Bookings::Bank);
    DBMemo1 = new DBMemo(t, Bookings::Verwendungszweck);
    DBMemo1->setFixedHeight(72);
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFont(QFont(QStringLiteral("Courier New"), font().pointSize())); // lines of 27 characters line up
    SpeedButton2 = smallButton(QStringLiteral("Skonto und Addition"));
    DBEdit4 = edit(Bookings::Betrag);
    SpeedButton3 = smallButton(QStringLiteral("Skonto und Addition"));
    DBEdit5 = edit(Bookings::Erstellungsdatum);
    DBEdit6 = edit(Bookings::Faelligkeit);
    DBRadioGroup1 = new DBRadioGroup(t, Bookings::Zahlungsart, QStringLiteral("Zahlungsart"),
                                     {QStringLiteral("Einzug"), QStringLiteral("Abbuchung"),
                                      QStringLiteral("Gutschrift")},
                                     {Zahlungsart::LS_Einzug, Zahlungsart::LS_Abbuchung, Zahlungsart::GS_Ueberweisung});
    const QStringList states {Status::Offen, Status::Gesperrt, Status::Erledigt};
    DBRadioGroup2 = new DBRadioGroup(t, Bookings::Status, QStringLiteral("Status"), states, states);
    CBSave = new QCheckBox(QStringLiteral("Empfänger speichern"));
    CBSave->setChecked(true);
    IName = MarkerPair::create(this);
    IKontonummer = MarkerPair::create(this);
    IBLZ = MarkerPair::create(this);
    IBetrag = MarkerPair::create(this);

    addRow(QStringLiteral("ID"), DBText1);
    addRow(QStringLiteral("Name"), withExtras(CBName, {SpeedButton1}), IName.widget());
    addRow(QStringLiteral("Kontonummer"), LPruefziffer->besideAccount(), IKontonummer.widget());
    addRow(QStringLiteral("BLZ"), DBEdit2, IBLZ.widget());
    addRow(QStringLiteral("Bank"), DBText2);
    auto *purposeLabel = new QLabel(QStringLiteral("Verwendungszweck\n(max. 27 Zeichen pro Zeile)"));
    const int purposeRow = form()->rowCount();
    form()->addWidget(purposeLabel, purposeRow, 0, Qt::AlignLeft | Qt::AlignTop);
    form()->addWidget(withExtras(DBMemo1, {SpeedButton2}), purposeRow, 1);
    addRow(QStringLiteral("Betrag"), withExtras(DBEdit4, {SpeedButton3}), IBetrag.widget());
    addRow(QStringLiteral("Erstellungsdatum"), DBEdit5);
    addRow(QStringLiteral("Fälligkeitsdatum"), DBEdit6);
    addRow(QString(), DBRadioGroup1);
    addRow(QString(), DBRadioGroup2);
    addRow(QString(), CBSave);
    setFirstControl(CBName);
    setFixedWidth(600);

    connect(CBName, &QComboBox::activated, this, guarded([this] { CBNameSelect(CBName->currentIndex()); }));
    connect(m_nameEdit, &QLineEdit::textChanged, this, [this] { CheckName(); });
    connect(DBEdit1, &QLineEdit::textChanged, this, [this] { CheckKontonummer(); });
    connect(DBEdit2, &QLineEdit::textChanged, this, [this] { CheckBLZ(); });
    connect(DBEdit4, &QLineEdit::textChanged, this, [this] { CheckBetrag(); });
    // The marker follows the stored amount, so it is also looked at again when the amount is stored.
    connect(&table(), &Table::recordChanged, this, [this] { CheckBetrag(); });
    connect(CBSave, &QCheckBox::toggled, this, [this](bool on) { m_data.SavePayerOnPost = on; });
    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    for (QToolButton *button : {SpeedButton2, SpeedButton3})
        connect(button, &QToolButton::clicked, this, guarded([this] { SpeedButton2Click(); }));

    BetragF = new TBetragF(*DBEdit4, *DBMemo1, this);
    // After every posted booking the calculator starts empty for the next one.
    m_data.ClearAmountCalculator = [this] { BetragF->BLoeschenClick(); };
}

TDB1EingabeF::~TDB1EingabeF()
{
    m_data.ClearAmountCalculator = nullptr;
}

void TDB1EingabeF::SpeedButton1Click()
{
    m_search.Uebernahme = true;
    ModalWindows::exec(m_search);
    m_search.Uebernahme = false;
    CBSave->setChecked(false); // the payer exists already
}

void TDB1EingabeF::SpeedButton2Click()
{
    ModalWindows::exec(*BetragF);
}

void TDB1EingabeF::showEvent(QShowEvent *event)
{
    m_data.DisconnectDB();
    m_data.SavePayerOnPost = CBSave->isChecked();
    QSignalBlocker quiet(CBName);
    CBName->clear();
    CBID.clear();
    Table &payers = *m_data.ClientDataSet2;
    for (payers.first(); !payers.eof(); payers.next()) {
        CBName->addItem(payers.asString(Payers::Name));
        CBID.append(payers.asString(Payers::ID));
    }
    CBName->setCurrentIndex(-1);
    quiet.unblock();
    m_data.ConnectDB();
    // The list's own text changes above are not the booking's: show the booking's name again.
    if (table().state() == Table::State::Browse || !m_nameEdit->isModified())
        m_nameEdit->setText(table().asString(Bookings::Name));
    RecordEditor::showEvent(event);
}

void TDB1EingabeF::CBNameSelect(int index)
{
    if (index < 0 || index >= CBID.size())
        return;
    Table &payers = *m_data.ClientDataSet2;
    if (!payers.locate(Payers::ID, CBID.at(index)))
        return;
    Table &booking = table();
    if (booking.state() == Table::State::Browse)
        booking.edit();
    booking.setAsString(Bookings::Verwendungszweck, payers.asString(Payers::Verwendungszweck));
    const int account = payers.asInteger(Payers::AktivesKonto);
    if (account >= 1 && account <= 3) {
        booking.setAsString(Bookings::Kontonummer, payers.asString(Payers::Kontonummer(account)));
        booking.setAsString(Bookings::BLZ, payers.asString(Payers::BLZ(account)));
    }
    CBSave->setChecked(false); // the payer exists already
    booking.setAsString(Bookings::Name, payers.asString(Payers::Name));
    m_nameEdit->setText(booking.asString(Bookings::Name));
}

void TDB1EingabeF::BNeuClick()
{
    RecordEditor::BNeuClick();
    ShowNewMarkers();
}

void TDB1EingabeF::ShowNewMarkers()
{
    for (const MarkerPair &marker : {IName, IKontonummer, IBLZ, IBetrag})
        marker.show(false);
}

void TDB1EingabeF::CheckName()
{
    IName.show(!m_nameEdit->text().isEmpty());
}

void TDB1EingabeF::CheckKontonummer()
{
    checkRange(IKontonummer, DBEdit1->text(), TQuennDTA::kMinKontonummer, TQuennDTA::kMaxKontonummer);
}

void TDB1EingabeF::CheckBLZ()
{
    checkRange(IBLZ, DBEdit2->text(), TQuennDTA::kMinBLZ, TQuennDTA::kMaxBLZ);
}

void TDB1EingabeF::CheckBetrag()
{
    // The amount stored in the booking, not the text being typed.
    const double amount = table().asFloat(Bookings::Betrag);
    IBetrag.show(amount > 0 && amount < TQuennDTA::kBetragBelow);
}
