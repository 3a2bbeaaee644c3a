#include "entry/db1eingabe.h"

#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "entry/absendersuchen.h"
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
    const auto edit = [&t](const char *field) { return new DBEdit(t, QString::fromLatin1(field)); };
    DBText1 = new DBText(t, QStringLiteral("ID"));
    CBName = new QComboBox;
    CBName->setEditable(true);
    CBName->setInsertPolicy(QComboBox::NoInsert);
    m_nameEdit = new DBEdit(t, QStringLiteral("Name"));
    CBName->setLineEdit(m_nameEdit);
    SpeedButton1 = smallButton(QStringLiteral("Finden"));
    DBEdit1 = edit("Kontonummer");
    DBEdit2 = edit("BLZ");
    DBText2 = new DBText(t, QStringLiteral("Bank"));
    DBMemo1 = new DBMemo(t, QStringLiteral("Verwendungszweck"));
    DBMemo1->setFixedHeight(72);
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFont(QFont(QStringLiteral("Courier New"), font().pointSize())); // lines of 27 characters line up
    SpeedButton2 = smallButton(QStringLiteral("Skonto und Addition"));
    DBEdit4 = edit("Betrag");
    SpeedButton3 = smallButton(QStringLiteral("Skonto und Addition"));
    DBEdit5 = edit("Erstellungsdatum");
    DBEdit6 = edit("Faelligkeit");
    DBRadioGroup1 = new DBRadioGroup(t, QStringLiteral("Zahlungsart"), QStringLiteral("Zahlungsart"),
                                     {QStringLiteral("Einzug"), QStringLiteral("Abbuchung"),
                                      QStringLiteral("Gutschrift")},
                                     {QStringLiteral("LS_Einzug"), QStringLiteral("LS_Abbuchung"),
                                      QStringLiteral("GS_Ueberweisung")});
    const QStringList states {QStringLiteral("offen"), QStringLiteral("gesperrt"), QStringLiteral("erledigt")};
    DBRadioGroup2 = new DBRadioGroup(t, QStringLiteral("Status"), QStringLiteral("Status"), states, states);
    CBSave = new QCheckBox(QStringLiteral("Empfänger speichern"));
    CBSave->setChecked(true);
    IName = MarkerPair::create(this);
    IKontonummer = MarkerPair::create(this);
    IBLZ = MarkerPair::create(this);
    IBetrag = MarkerPair::create(this);

    addRow(QStringLiteral("ID"), DBText1);
    addRow(QStringLiteral("Name"), withExtras(CBName, {SpeedButton1}), IName.widget());
    addRow(QStringLiteral("Kontonummer"), DBEdit1, IKontonummer.widget());
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
        CBName->addItem(payers.asString(QStringLiteral("Name")));
        CBID.append(payers.asString(QStringLiteral("ID")));
    }
    CBName->setCurrentIndex(-1);
    quiet.unblock();
    m_data.ConnectDB();
    // The list's own text changes above are not the booking's: show the booking's name again.
    if (table().state() == Table::State::Browse || !m_nameEdit->isModified())
        m_nameEdit->setText(table().asString(QStringLiteral("Name")));
    RecordEditor::showEvent(event);
}

void TDB1EingabeF::CBNameSelect(int index)
{
    if (index < 0 || index >= CBID.size())
        return;
    Table &payers = *m_data.ClientDataSet2;
    if (!payers.locate(QStringLiteral("ID"), CBID.at(index)))
        return;
    Table &booking = table();
    if (booking.state() == Table::State::Browse)
        booking.edit();
    booking.setAsString(QStringLiteral("Verwendungszweck"), payers.asString(QStringLiteral("Verwendungszweck")));
    const int account = payers.asInteger(QStringLiteral("Aktives Konto"));
    if (account >= 1 && account <= 3) {
        booking.setAsString(QStringLiteral("Kontonummer"),
                            payers.asString(QStringLiteral("Kontonummer%1").arg(account)));
        booking.setAsString(QStringLiteral("BLZ"), payers.asString(QStringLiteral("BLZ%1").arg(account)));
    }
    CBSave->setChecked(false); // the payer exists already
    booking.setAsString(QStringLiteral("Name"), payers.asString(QStringLiteral("Name")));
    m_nameEdit->setText(booking.asString(QStringLiteral("Name")));
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
    checkRange(IKontonummer, DBEdit1->text(), 10, 9999999999LL);
}

void TDB1EingabeF::CheckBLZ()
{
    checkRange(IBLZ, DBEdit2->text(), 10000000, 99999999);
}

void TDB1EingabeF::CheckBetrag()
{
    // The amount stored in the booking, not the text being typed.
    const double amount = table().asFloat(QStringLiteral("Betrag"));
    IBetrag.show(amount > 0 && amount < 1000000000.0);
}
