#include "entry/Betrag.h"

#include "data/FormatSettings.h"
#include "widgets/DataControls.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <cmath>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kNoValue = QStringLiteral("0,0"); // a row that does not count
const QString kEmptyDiscount = QStringLiteral(" , ");

// Amounts are worked in whole cents, so that what the labels show is exactly what is added and handed
// on: no rounding to a number of significant digits, no exponent form.
std::optional<qint64> cents(double euros)
{
    if (!std::isfinite(euros) || std::abs(euros) >= 1e15)
        return std::nullopt;
    return qint64(std::llround(euros * 100.0));
}

QString formatCents(qint64 value)
{
    return FormatSettings::formatFixed(double(value) / 100.0, 2);
}

// The masked box's text: " , " when empty, "3,0" or "3, " when filled.
std::optional<double> discountOf(const QLineEdit &box)
{
    QString text = box.displayText().trimmed();
    if (text.endsWith(u','))
        text.chop(1);
    return FormatSettings::tryStrToFloat(text);
}
} // namespace

TBetragF::TBetragF(DBEdit &amount, DBMemo &purpose, QWidget *parent)
    : QDialog(parent)
    , LSumme(new QLabel(QStringLiteral("0,00")))
    , SRColorButton1(TSRColorButton::DialogButton(QStringLiteral("Ü&bernehmen"), 90))
    , BLoeschen(TSRColorButton::DialogButton(QStringLiteral("&Löschen")))
    , BSchliessen(TSRColorButton::DialogButton(QStringLiteral("&Abbrechen"), 80))
    , GradientPanel1(TGradientPanel::DialogBar({SRColorButton1, BLoeschen, BSchliessen}))
    , m_amount(amount)
    , m_purpose(purpose)
{
    setWindowTitle(QStringLiteral("Beträge"));
    WindowLook::applyToWindow(*this, true);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 10, 12, 6);
    grid->setHorizontalSpacing(8);
    const QStringList titles {QStringLiteral("Betrag"), QStringLiteral("Skonto in %"), QStringLiteral("nach Skonto"),
                              QStringLiteral("Verwendungszweck")};
    for (int c = 0; c < titles.size(); ++c)
        grid->addWidget(new QLabel(titles.at(c)), 0, c + 1);
    for (int i = 0; i < 3; ++i) {
        EBetrag[i] = new QLineEdit;
        EBetrag[i]->setAlignment(Qt::AlignRight);
        EBetrag[i]->setFixedWidth(100);
        ESkonto[i] = new QLineEdit;
        ESkonto[i]->setInputMask(QStringLiteral("9,0; "));
        ESkonto[i]->setAlignment(Qt::AlignCenter);
        ESkonto[i]->setFixedWidth(70);
        LnachSkonto[i] = new QLabel(QStringLiteral("0"));
        LnachSkonto[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LnachSkonto[i]->setMinimumWidth(90);
        EVerwendungszweck[i] = new QLineEdit;
        EVerwendungszweck[i]->setMinimumWidth(220);
        grid->addWidget(new QLabel(QString::number(i + 1)), i + 1, 0);
        grid->addWidget(EBetrag[i], i + 1, 1);
        grid->addWidget(ESkonto[i], i + 1, 2);
        grid->addWidget(LnachSkonto[i], i + 1, 3);
        grid->addWidget(EVerwendungszweck[i], i + 1, 4);
        for (QLineEdit *box : {EBetrag[i], ESkonto[i]})
            connect(box, &QLineEdit::textChanged, this, guarded([this] { Berechnen(); }));
    }
    LSumme->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(new QLabel(QStringLiteral("Summe: ")), 4, 2, Qt::AlignRight);
    grid->addWidget(LSumme, 4, 3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(GradientPanel1);

    connect(SRColorButton1, &TSRColorButton::clicked, this, guarded([this] { SRColorButton1Click(); }));
    connect(BLoeschen, &TSRColorButton::clicked, this, guarded([this] { BLoeschenClick(); }));
    connect(BSchliessen, &TSRColorButton::clicked, this, &QDialog::reject);
}

void TBetragF::Berechnen()
{
    qint64 sum = 0;
    for (int i = 0; i < 3; ++i) {
        const auto amount = FormatSettings::tryStrToFloat(EBetrag[i]->text());
        const auto discount = discountOf(*ESkonto[i]);
        const auto after = amount && discount ? cents(*amount * (100.0 - *discount) / 100.0) : std::nullopt;
        LnachSkonto[i]->setText(after ? formatCents(*after) : kNoValue);
        sum += after.value_or(0);
    }
    LSumme->setText(formatCents(sum));
}

void TBetragF::SRColorButton1Click()
{
    QString purpose;
    for (int i = 0; i < 3; ++i) {
        const auto amount = FormatSettings::tryStrToFloat(EBetrag[i]->text());
        if (!amount || *amount == 0)
            continue;
        const QString discount = ESkonto[i]->displayText();
        purpose += EVerwendungszweck[i]->text() + u' ';
        if (discount != kNoValue && discount != kEmptyDiscount)
            purpose += discount + QStringLiteral("% Skonto ");
        purpose += QStringLiteral("\r\n");
    }
    m_amount.typeText(LSumme->text());
    m_purpose.typeText(purpose);
    accept();
}

void TBetragF::BLoeschenClick()
{
    for (int i = 0; i < 3; ++i) {
        EBetrag[i]->clear();
        ESkonto[i]->clear();
        EVerwendungszweck[i]->clear();
    }
    Berechnen();
}
