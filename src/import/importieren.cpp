#include "import/importieren.h"

#include "data/DataModule.h"
#include "widgets/FileDialogs.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

// The preview: the parsed file as it is, without a widget per cell. With the title row, row 0 becomes
// the header.
class TextTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const DelimitedText::Table *table, bool titleRow)
    {
        beginResetModel();
        m_table = table;
        m_titleRow = titleRow;
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_table ? 0 : std::max(0, m_table->rowCount() - (m_titleRow ? 1 : 0));
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_table ? 0 : m_table->width;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !m_table)
            return {};
        return m_table->cell(index.column(), index.row() + (m_titleRow ? 1 : 0));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !m_table)
            return QAbstractTableModel::headerData(section, orientation, role);
        return m_titleRow && m_table->rowCount() > 0 ? m_table->cell(section, 0) : QString::number(section + 1);
    }

private:
    const DelimitedText::Table *m_table = nullptr;
    bool m_titleRow = false;
};

namespace {
QGroupBox *radioGroup(const QString &title, std::initializer_list<QRadioButton *> buttons)
{
    auto *group = new QGroupBox(title);
    auto *layout = new QVBoxLayout(group);
    for (QRadioButton *button : buttons)
        layout->addWidget(button);
    return group;
}

QTableWidget *listGrid(const QStringList &titles, int rows)
{
    auto *grid = new QTableWidget(rows, int(titles.size()));
    grid->setHorizontalHeaderLabels(titles);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void setCell(QTableWidget *grid, int row, int column, const QString &text)
{
    grid->setItem(row, column, new QTableWidgetItem(text));
}

QString cellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}
} // namespace

TImportF::TImportF(TDataModule1 &dataModule, QWidget *parent)
    : TImportF(dataModule, TextImport::Target::Payers, QStringLiteral("Daten importieren"),
               QStringLiteral(
                   "Bitte in beiden Tabellen die zusammengehörigen Felder markieren und den Pfeil anklicken."),
               parent)
{ }

TImportF::TImportF(TDataModule1 &dataModule, TextImport::Target target, const QString &caption, const QString &hint,
                   QWidget *parent)
    : QDialog(parent)
    , m_data(dataModule)
    , m_target(target)
    , m_previewModel(new TextTableModel(this))
{
    setWindowTitle(caption);
    WindowLook::applyToWindow(*this, true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildPage1());
    layout->addWidget(BuildPage2(hint));
    resize(720, 520);

    // The window is made for each use, so this is its state whenever it is shown.
    const QStringList labels = TextImport::FieldLabels(m_target);
    ColumnOfField = QList<int>(labels.size(), -1);
    for (int row = 0; row < labels.size(); ++row)
        setCell(SGDatenbank, row, 0, labels.at(row));
    SGDatenbank->resizeColumnToContents(0);
    Button1->setEnabled(false);
    Panel2->hide();
}

TImportF::~TImportF() = default;

QWidget *TImportF::BuildPage1()
{
    Panel1 = new QWidget;
    EQuelldatei = new QLineEdit;
    SpeedButton1 = new QToolButton;
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SpeedButton1->setToolTip(QStringLiteral("Datei auswählen"));
    auto *file = new QGroupBox(QStringLiteral("Dateiname"));
    auto *fileLayout = new QHBoxLayout(file);
    fileLayout->addWidget(new QLabel(QStringLiteral("Quelldatei")));
    fileLayout->addWidget(EQuelldatei, 1);
    fileLayout->addWidget(SpeedButton1);

    RBTabulator = new QRadioButton(QStringLiteral("Tabulator"));
    RBSemikolon = new QRadioButton(QStringLiteral("Semikolon"));
    RBKomma = new QRadioButton(QStringLiteral("Komma"));
    RBdoppelt = new QRadioButton(QStringLiteral("Anführungszeichen: \" \""));
    RBeinfach = new QRadioButton(QStringLiteral("Anführungszeichen: ' '"));
    RBkeine = new QRadioButton(QStringLiteral("keine"));
    RBTabulator->setChecked(true);
    RBkeine->setChecked(true);
    CBTitelzeile = new QCheckBox(QStringLiteral("Erste Zeile enthält die Feldbezeichner"));
    CBTitelzeile->setChecked(true);
    auto *title = new QGroupBox(QStringLiteral("Titelzeile"));
    (new QVBoxLayout(title))->addWidget(CBTitelzeile);
    auto *options = new QHBoxLayout;
    options->addWidget(radioGroup(QStringLiteral("Feld-Trennzeichen"), {RBTabulator, RBSemikolon, RBKomma}));
    options->addWidget(radioGroup(QStringLiteral("Text-Kennzeichner"), {RBdoppelt, RBeinfach, RBkeine}));
    options->addWidget(title, 1);

    StringGrid1 = new QTableView;
    StringGrid1->setModel(m_previewModel);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    Button1 = TSRColorButton::DialogButton(QStringLiteral("&Weiter"));
    BLoeschen = TSRColorButton::DialogButton(QStringLiteral("S&chließen"), 80);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(file);
    body->addLayout(options);
    body->addWidget(StringGrid1, 1);
    auto *page = new QVBoxLayout(Panel1);
    page->setContentsMargins(0, 0, 0, 0);
    page->addLayout(body, 1);
    page->addWidget(TGradientPanel::DialogBar({Button1, BLoeschen}));

    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    for (QRadioButton *button : {RBTabulator, RBSemikolon, RBKomma, RBdoppelt, RBeinfach, RBkeine})
        connect(button, &QRadioButton::toggled, this, guarded([this, button] {
                    if (button->isChecked())
                        RBKommaClick();
                }));
    connect(CBTitelzeile, &QCheckBox::toggled, this, [this] { CBTitelzeileClick(); });
    connect(Button1, &TSRColorButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(BLoeschen, &TSRColorButton::clicked, this, &QDialog::reject);
    return Panel1;
}

QWidget *TImportF::BuildPage2(const QString &hint)
{
    Panel2 = new QWidget;
    SGDatenbank = listGrid({QStringLiteral("Feldname"), QStringLiteral("zug. Dateifeld"),
                            QStringLiteral("1. Datensatz")},
                           13);
    SGDatei = listGrid({QStringLiteral("Datei-Feldname"), QStringLiteral("1. Datensatz")}, 0);
    SpeedButton2 = new QToolButton;
    SpeedButton2->setArrowType(Qt::LeftArrow);
    SpeedButton2->setToolTip(QStringLiteral("Zuordnen"));
    Button4 = TSRColorButton::DialogButton(QStringLiteral("&Zuordnung löschen"), 130);
    Label3 = new QLabel(hint);
    Label2 = new QLabel(QStringLiteral("Bitte einen Moment warten, bis die Datensätze importiert worden sind."));
    Label2->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    Label2->hide();
    SRColorButton3 = TSRColorButton::DialogButton(QStringLiteral("&OK"));
    BSchliessen = TSRColorButton::DialogButton(QStringLiteral("S&chließen"), 80);

    auto *lists = new QHBoxLayout;
    lists->addWidget(SGDatenbank, 3);
    auto *arrow = new QVBoxLayout;
    arrow->addStretch();
    arrow->addWidget(SpeedButton2);
    arrow->addStretch();
    lists->addLayout(arrow);
    lists->addWidget(SGDatei, 2);
    m_settingsArea = new QVBoxLayout;
    auto *below = new QHBoxLayout;
    below->addWidget(Button4);
    below->addWidget(Label3, 1);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addLayout(lists, 1);
    body->addLayout(below);
    body->addLayout(m_settingsArea);
    body->addWidget(Label2);
    auto *page = new QVBoxLayout(Panel2);
    page->setContentsMargins(0, 0, 0, 0);
    page->addLayout(body, 1);
    page->addWidget(TGradientPanel::DialogBar({SRColorButton3, BSchliessen}));

    connect(SpeedButton2, &QToolButton::clicked, this, guarded([this] { SpeedButton2Click(); }));
    connect(Button4, &TSRColorButton::clicked, this, guarded([this] { Button4Click(); }));
    connect(SRColorButton3, &TSRColorButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(BSchliessen, &TSRColorButton::clicked, this, &QDialog::reject);
    return Panel2;
}

DelimitedText::Format TImportF::CurrentFormat() const
{
    DelimitedText::Format format;
    format.separator = RBSemikolon->isChecked() ? u';' : RBKomma->isChecked() ? u',' : u'\t';
    format.qualifier = RBdoppelt->isChecked() ? QChar(u'"') : RBeinfach->isChecked() ? QChar(u'\'') : QChar();
    return format;
}

void TImportF::SpeedButton1Click()
{
    const QString file = FileDialogs::getOpenFileName(this, QFileInfo(EQuelldatei->text()).path());
    if (file.isEmpty())
        return;
    EQuelldatei->setText(file);
    RBKommaClick();
}

void TImportF::RBKommaClick()
{
    if (EQuelldatei->text().isEmpty())
        return;
    Button1->setEnabled(true);
    LoadPreview();
}

void TImportF::LoadPreview()
{
    m_preview = DelimitedText::readFile(EQuelldatei->text(), CurrentFormat()); // a failure keeps the old preview
    CBTitelzeileClick();
}

void TImportF::CBTitelzeileClick()
{
    m_previewModel->setTable(&m_preview, CBTitelzeile->isChecked());
}

void TImportF::Button1Click()
{
    Panel1->hide();
    Panel2->show();
    const bool titleRow = CBTitelzeile->isChecked();
    const int sampleRow = titleRow ? 1 : 0;
    SGDatei->setRowCount(m_preview.width);
    for (int column = 0; column < m_preview.width; ++column) {
        const bool named = titleRow && m_preview.rowCount() > 0;
        setCell(SGDatei, column, 0, named ? m_preview.cell(column, 0) : QStringLiteral("FELD %1").arg(column + 1));
        setCell(SGDatei, column, 1, sampleRow < m_preview.rowCount() ? m_preview.cell(column, sampleRow) : QString());
    }
    SGDatei->resizeColumnToContents(0);
    SGDatenbank->selectRow(0);
    SGDatei->selectRow(0);
    ResetSettings();
}

void TImportF::SpeedButton2Click()
{
    const int field = SGDatenbank->currentRow();
    const int column = SGDatei->currentRow();
    if (field < 0 || column < 0)
        return;
    setCell(SGDatenbank, field, 1, cellText(SGDatei, column, 0));
    setCell(SGDatenbank, field, 2, cellText(SGDatei, column, 1));
    if (field < ColumnOfField.size()) // a row without a field shows the pairing and imports nothing
        ColumnOfField[field] = column;
}

void TImportF::Button4Click()
{
    const int field = SGDatenbank->currentRow();
    if (field < 0)
        return;
    setCell(SGDatenbank, field, 1, QString());
    setCell(SGDatenbank, field, 2, QString());
    if (field < ColumnOfField.size())
        ColumnOfField[field] = -1;
}

TextImport::Settings TImportF::ImportSettings() const
{
    TextImport::Settings settings;
    settings.target = m_target;
    settings.columnOfField = ColumnOfField;
    settings.titleRow = CBTitelzeile->isChecked();
    return settings;
}

void TImportF::Button2Click()
{
    Label2->show();
    BSchliessen->setEnabled(false);
    Label2->repaint();
    const TextImport::Result result = TextImport::Run(m_data, m_preview, ImportSettings());
    Label2->hide();
    BSchliessen->setEnabled(true);
    // Says how many came in, so that nobody wonders whether a second "OK" doubled the data.
    if (!result.message.isEmpty())
        MessageService::current().error(result.message);
    else
        MessageService::current().information(TextImport::SummaryText(m_target, result));
}
