#include "data/Table.h"

#include "base/Errors.h"
#include "base/Windows1252.h"
#include "data/DataPacket.h"
#include "data/FormatSettings.h"
#include "data/TableFilter.h"

#include <algorithm>
#include <QFileInfo>
#include <QScopedValueRollback>

namespace {
const TableRow &emptyRow()
{
    static const TableRow row;
    return row;
}

const FieldValue &valueOf(const TableRow &row, int field)
{
    static const FieldValue empty;
    return field < int(row.values.size()) ? row.values[field] : empty;
}

// What a text field can hold: the 8-bit code page, and of the control characters only tab, CR and LF,
// so that every stored text survives its data packet.
QString storableText(const QString &text)
{
    const auto storable = [](QChar ch) {
        const char16_t c = ch.unicode();
        if (c < 0x20)
            return c == u'\t' || c == u'\r' || c == u'\n';
        return c < 0x80 || Windows1252::fromUnicode(ch) >= 0;
    };
    if (std::all_of(text.begin(), text.end(), storable))
        return text; // shares the text given: rows with the same value then share one copy
    QString result = Windows1252::restrict(text);
    for (QChar &ch : result) {
        if (ch.unicode() < 0x20 && ch != u'\t' && ch != u'\r' && ch != u'\n')
            ch = u' ';
    }
    return result;
}

int compareValues(const FieldValue &a, const FieldValue &b)
{
    if (a.index() != b.index())
        return a.index() < b.index() ? -1 : 1;
    if (const auto *x = std::get_if<qint32>(&a))
        return *x < std::get<qint32>(b) ? -1 : (*x > std::get<qint32>(b) ? 1 : 0);
    if (const auto *x = std::get_if<double>(&a))
        return *x < std::get<double>(b) ? -1 : (*x > std::get<double>(b) ? 1 : 0);
    if (const auto *x = std::get_if<QDate>(&a))
        return *x < std::get<QDate>(b) ? -1 : (*x > std::get<QDate>(b) ? 1 : 0);
    if (const auto *x = std::get_if<QString>(&a))
        return x->compare(std::get<QString>(b));
    return 0;
}
} // namespace

size_t qHash(const FieldKey &key, size_t seed)
{
    // Over the case-folded characters, so that names equal without regard to case hash alike.
    size_t hash = 0;
    const QString &name = key.name;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name.at(i).unicode();
        if (c < 0x80) {
            c = c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), name.at(++i).unicode());
            c = QChar::toCaseFolded(c);
        }
        hash = hash * 31 + c;
    }
    return qHash(hash, seed);
}

// ---------------------------------------------------------------------------------------------------------------
// CalcRecord

CalcRecord::CalcRecord(const Table &table, const TableRow &row, std::vector<QString> &calculated)
    : m_table(table)
    , m_row(row)
    , m_calculated(calculated)
{ }

qint32 CalcRecord::asInteger(const QString &field) const
{
    const auto *value = std::get_if<qint32>(&valueOf(m_row, m_table.fieldIndex(field)));
    return value ? *value : 0;
}

QString CalcRecord::asString(const QString &field) const
{
    const int index = m_table.fieldIndex(field);
    return index < 0 ? QString() : m_table.rowText(m_row, index, false);
}

bool CalcRecord::isNull(const QString &field) const
{
    const int index = m_table.fieldIndex(field);
    return index < 0 || isEmptyValue(valueOf(m_row, index));
}

void CalcRecord::setText(const QString &field, const QString &value)
{
    const int index = m_table.fieldIndex(field);
    if (index >= 0 && m_table.fields().at(index).type == FieldType::Calculated)
        m_calculated[index] = value.left(m_table.fields().at(index).size);
}

// ---------------------------------------------------------------------------------------------------------------
// Structure and files

Table::Table(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{ }

Table::~Table() = default;

void Table::setFields(const QList<FieldDef> &fields)
{
    cancel();
    m_rows.clear();
    m_view.clear();
    m_lookups.clear();
    m_filter.reset();
    m_filterText.clear();
    m_fields = fields;
    m_fieldIndex.clear();
    for (int i = m_fields.size() - 1; i >= 0; --i)
        m_fieldIndex.insert(FieldKey {m_fields.at(i).name}, i); // backwards: the first of two equal names wins
    m_orderField = -1;
    m_recNo = -1;
    m_eof = m_bof = true;
    notifyReset();
}

int Table::fieldIndex(const QString &name) const
{
    return m_fieldIndex.value(FieldKey {name}, -1);
}

int Table::requireField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw BelvantoError(QStringLiteral("%1: Feld '%2' nicht gefunden.").arg(m_name, name));
    return index;
}

const FieldDef &Table::field(const QString &name) const
{
    return m_fields.at(requireField(name));
}

void Table::setOrder(const QString &field, bool descending, const QString &indexName)
{
    m_orderField = requireField(field);
    m_orderDescending = descending;
    m_indexName = indexName;
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](const auto &a, const auto &b) { return lessThan(*a, *b); });
    rebuildView();
    first();
    notifyReset();
}

bool Table::lessThan(const TableRow &a, const TableRow &b) const
{
    if (m_orderField < 0)
        return false;
    const int order = compareValues(valueOf(a, m_orderField), valueOf(b, m_orderField));
    return m_orderDescending ? order > 0 : order < 0;
}

void Table::loadFromFile(const QString &path)
{
    const QString file = path.isEmpty() ? m_fileName : path;
    const bool ownFile = QFileInfo(file) == QFileInfo(m_fileName);
    close();
    std::vector<std::unique_ptr<TableRow>> rows;
    try {
        rows = DataPacket::read(file, m_fields);
    } catch (const BelvantoError &) {
        // The table stays as it was; after its own file failed, what it holds is not that file's.
        if (ownFile)
            setProtected(true);
        throw;
    }
    replaceRows(std::move(rows));
    if (ownFile)
        setProtected(false);
}

void Table::saveToFile(const QString &path)
{
    const QString file = path.isEmpty() ? m_fileName : path;
    const bool ownFile = QFileInfo(file) == QFileInfo(m_fileName);
    if (ownFile && m_protected)
        throw BelvantoError(QStringLiteral("Die Datei „%1“ wird nicht überschrieben, weil sie beim Start nicht "
                                           "gelesen werden konnte.")
                                .arg(file));
    std::vector<const TableRow *> rows(m_rows.size());
    std::transform(m_rows.begin(), m_rows.end(), rows.begin(), [](const auto &row) { return row.get(); });
    DataPacket::write(file, m_fields, rows);
    if (ownFile)
        m_changed = false;
}

void Table::close()
{
    cancel();
    if (m_fileName.isEmpty() || m_protected)
        return;
    if (m_changed || !QFileInfo::exists(m_fileName))
        saveToFile();
}

void Table::emptyTable()
{
    cancel();
    m_rows.clear();
    m_lookups.clear();
    rebuildView();
    first();
    m_changed = true;
    notifyReset();
}

void Table::setProtected(bool value)
{
    m_protected = value;
    m_readOnly = value;
}

void Table::replaceRows(std::vector<std::unique_ptr<TableRow>> rows)
{
    cancel();
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_lookups.clear();
    for (auto &row : m_rows)
        row->values.resize(m_fields.size());
    const auto order = [this](const auto &a, const auto &b) { return lessThan(*a, *b); };
    if (!std::is_sorted(m_rows.begin(), m_rows.end(), order)) // our own files are in table order
        std::stable_sort(m_rows.begin(), m_rows.end(), order);
    m_changed = false;
    rebuildView();
    first();
    notifyReset();
}

// ---------------------------------------------------------------------------------------------------------------
// Navigation

void Table::moveTo(int position)
{
    m_recNo = position;
    if (!controlsDisabled())
        emit currentChanged(position);
}

void Table::leaveRecord()
{
    if (m_state == State::Edit) {
        updateRecord();
        if (!m_modified) {
            cancel(); // nothing changed: no checks, no rules, the table stays unchanged
            return;
        }
    }
    post();
}

void Table::first()
{
    requireSettled("bewegt");
    leaveRecord();
    m_bof = true;
    m_eof = m_view.empty();
    moveTo(m_view.empty() ? -1 : 0);
}

void Table::next()
{
    requireSettled("bewegt");
    leaveRecord();
    if (m_recNo + 1 < int(m_view.size())) {
        m_bof = false;
        m_eof = false;
        moveTo(m_recNo + 1);
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireSettled("bewegt");
    leaveRecord();
    if (m_recNo > 0) {
        m_eof = false;
        m_bof = false;
        moveTo(m_recNo - 1);
    } else {
        m_bof = true;
    }
}

void Table::last()
{
    requireSettled("bewegt");
    leaveRecord();
    m_eof = true;
    m_bof = m_view.empty();
    moveTo(int(m_view.size()) - 1);
}

void Table::setRecNo(int position)
{
    // A view that follows a change asks for positions of the view it still knows: the table
    // places its current record itself once the change is done.
    if (m_changing || position < 0 || position >= int(m_view.size()) || position == m_recNo)
        return;
    if (m_state != State::Browse) {
        // The record asked for may change its place when the one being edited is posted.
        const TableRow *target = m_view.at(position);
        leaveRecord();
        position = int(std::find(m_view.begin(), m_view.end(), target) - m_view.begin());
    }
    m_bof = m_eof = false;
    moveTo(position);
}

// ---------------------------------------------------------------------------------------------------------------
// Record state

void Table::setState(State state)
{
    m_state = state;
    if (!controlsDisabled())
        emit stateChanged();
}

void Table::requireBrowse(const char *action) const
{
    if (m_readOnly)
        throw BelvantoError(QStringLiteral("Die Tabelle „%1“ kann nicht %2 werden: ihre Datei wurde nicht "
                                           "gelesen.")
                                .arg(m_name, QString::fromUtf8(action)));
}

void Table::requireSettled(const char *action) const
{
    if (m_changing)
        throw BelvantoError(QStringLiteral("Die Tabelle „%1“ kann nicht %2 werden, während ihre Anzeige "
                                           "nachgeführt wird.")
                                .arg(m_name, QString::fromUtf8(action)));
}

void Table::insert()
{
    requireBrowse("ergänzt");
    requireSettled("ergänzt");
    leaveRecord();
    m_buffer.values.assign(m_fields.size());
    m_modified = false;
    setState(State::Insert);
    if (afterInsert)
        afterInsert(*this);
}

void Table::edit()
{
    if (m_state != State::Browse)
        return;
    requireBrowse("geändert");
    requireSettled("geändert");
    if (m_view.empty()) {
        insert();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    m_buffer = *m_view.at(m_recNo);
    m_modified = false;
    setState(State::Edit);
}

void Table::addRecordUpdater(QObject *control, std::function<void()> update)
{
    m_updaters.emplace_back(control, std::move(update));
}

void Table::updateRecord()
{
    std::erase_if(m_updaters, [](const auto &updater) { return updater.first.isNull(); });
    for (const auto &updater : m_updaters)
        updater.second();
}

TableRow *Table::placeRow(TableRow values)
{
    auto row = TableRow::make(m_fields.size());
    row->values = std::move(values.values);
    TableRow *placed = row.get();
    auto at = std::upper_bound(m_rows.begin(), m_rows.end(), placed,
                               [this](const TableRow *a, const auto &b) { return lessThan(*a, *b); });
    m_rows.insert(at, std::move(row));
    indexRow(placed);
    return placed;
}

void Table::eraseRow(const TableRow *row)
{
    auto owner = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                                  [this](const auto &a, const TableRow *b) { return lessThan(*a, *b); });
    while (owner != m_rows.end() && owner->get() != row)
        ++owner;
    unindexRow(owner->get());
    m_rows.erase(owner);
}

int Table::addToView(TableRow *row)
{
    auto at = std::upper_bound(m_view.begin(), m_view.end(), row,
                               [this](const TableRow *a, const TableRow *b) { return lessThan(*a, *b); });
    const int position = int(at - m_view.begin());
    if (!controlsDisabled())
        emit rowAboutToBeInserted(position);
    m_view.insert(m_view.begin() + position, row);
    if (!controlsDisabled())
        emit rowInserted(position);
    return position;
}

void Table::removeFromView(int position)
{
    if (!controlsDisabled())
        emit rowAboutToBeRemoved(position);
    m_view.erase(m_view.begin() + position);
    if (!controlsDisabled())
        emit rowRemoved(position);
}

void Table::post()
{
    if (m_state == State::Browse)
        return;
    requireSettled("gespeichert");
    updateRecord(); // a value that does not convert stops the post with its message
    if (beforePost)
        beforePost(*this); // a refusal leaves the record in its state with all its values

    // From here on the record is written: the table is consistent before any view hears of it.
    const bool inserting = m_state == State::Insert;
    const int oldPosition = m_recNo;
    const TableRow posted = std::move(m_buffer);
    m_buffer.values.clear();
    m_modified = false;
    m_changed = true;
    m_state = State::Browse; // announced below, once the record has its place
    int position = -1;
    {
        const QScopedValueRollback changing(m_changing, true);
        TableRow *row = inserting ? nullptr : m_view.at(oldPosition);
        const bool keyChanged = row && compareValues(valueOf(*row, m_orderField), valueOf(posted, m_orderField)) != 0;
        const auto replace = [this](TableRow *target, const TableRow &values) {
            unindexRow(target);
            *target = values;
            indexRow(target);
        };
        if (row && !keyChanged && passes(posted)) {
            replace(row, posted);
            position = oldPosition;
        } else {
            if (row) {
                removeFromView(oldPosition);
                if (keyChanged)
                    eraseRow(row);
                else
                    replace(row, posted);
            }
            if (!row || keyChanged)
                row = placeRow(posted);
            if (passes(*row))
                position = addToView(row);
        }
    }
    if (!inserting && position == oldPosition && !controlsDisabled())
        emit rowChanged(position);
    m_eof = m_bof = m_view.empty();
    setState(State::Browse);
    moveTo(position >= 0 ? position : std::min(oldPosition, int(m_view.size()) - 1));
    if (afterPost)
        afterPost(*this, posted);
}

void Table::cancel()
{
    if (m_state == State::Browse)
        return;
    m_buffer.values.clear();
    m_modified = false;
    setState(State::Browse);
    if (!controlsDisabled() && m_recNo >= 0)
        emit rowChanged(m_recNo);
}

void Table::deleteRecord()
{
    requireSettled("gelöscht");
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    requireBrowse("gelöscht");
    if (m_view.empty())
        throw BelvantoError(QStringLiteral("Die Tabelle „%1“ ist leer.").arg(m_name));
    const int position = m_recNo;
    TableRow *row = m_view.at(position);
    {
        const QScopedValueRollback changing(m_changing, true);
        removeFromView(position);
        eraseRow(row);
    }
    m_changed = true;
    m_eof = m_view.empty();
    moveTo(std::min(position, int(m_view.size()) - 1));
}

int Table::deleteShown()
{
    requireSettled("gelöscht");
    cancel();
    requireBrowse("gelöscht");
    const int count = recordCount();
    if (count == 0)
        return 0;
    // The view is a part of the rows in the same order: one walk over both finds every row it shows.
    auto shown = m_view.begin();
    auto kept = m_rows.begin();
    for (auto &row : m_rows) {
        if (shown != m_view.end() && row.get() == *shown) {
            unindexRow(row.get());
            ++shown;
        } else {
            *kept++ = std::move(row);
        }
    }
    m_rows.erase(kept, m_rows.end());
    m_view.clear();
    m_changed = true;
    m_eof = m_bof = true;
    m_recNo = -1;
    notifyReset();
    return count;
}

// ---------------------------------------------------------------------------------------------------------------
// Field access

const TableRow &Table::currentRow() const
{
    if (m_state != State::Browse)
        return m_buffer;
    return m_recNo >= 0 && m_recNo < int(m_view.size()) ? *m_view.at(m_recNo) : emptyRow();
}

QString Table::calculatedValue(const TableRow &row, int field) const
{
    if (!onCalcFields)
        return {};
    std::vector<QString> calculated(m_fields.size());
    CalcRecord record(*this, row, calculated);
    onCalcFields(record);
    return calculated[field];
}

QString Table::rowText(const TableRow &row, int field, bool display) const
{
    if (m_fields.at(field).type == FieldType::Calculated)
        return calculatedValue(row, field);
    const FieldValue &value = valueOf(row, field);
    if (const auto *x = std::get_if<qint32>(&value))
        return QString::number(*x);
    if (const auto *x = std::get_if<double>(&value))
        return display ? FormatSettings::formatCurrency(*x) : FormatSettings::formatFixed(*x, 2);
    if (const auto *x = std::get_if<QDate>(&value))
        return FormatSettings::dateToStr(*x);
    if (const auto *x = std::get_if<QString>(&value))
        return *x;
    return {};
}

bool Table::isNull(const QString &field) const
{
    const int index = requireField(field);
    if (m_fields.at(index).type == FieldType::Calculated)
        return calculatedValue(currentRow(), index).isEmpty();
    return isEmptyValue(valueOf(currentRow(), index));
}

QString Table::asString(const QString &field) const
{
    return rowText(currentRow(), requireField(field), false);
}

QString Table::displayText(const QString &field) const
{
    return rowText(currentRow(), requireField(field), true);
}

qint32 Table::asInteger(const QString &field) const
{
    const int index = requireField(field);
    const FieldValue &value = valueOf(currentRow(), index);
    if (const auto *x = std::get_if<qint32>(&value))
        return *x;
    if (const auto *x = std::get_if<double>(&value))
        return qint32(*x);
    const QString text = rowText(currentRow(), index, false);
    return text.isEmpty() ? 0 : FormatSettings::strToInt(text);
}

double Table::asFloat(const QString &field) const
{
    const int index = requireField(field);
    const FieldValue &value = valueOf(currentRow(), index);
    if (const auto *x = std::get_if<double>(&value))
        return *x;
    if (const auto *x = std::get_if<qint32>(&value))
        return *x;
    const QString text = rowText(currentRow(), index, false);
    return text.isEmpty() ? 0.0 : FormatSettings::strToFloat(text);
}

QDate Table::asDate(const QString &field) const
{
    const int index = requireField(field);
    const FieldValue &value = valueOf(currentRow(), index);
    if (const auto *x = std::get_if<QDate>(&value))
        return *x;
    const QString text = rowText(currentRow(), index, false);
    return text.isEmpty() ? QDate() : FormatSettings::strToDate(text);
}

void Table::assign(int field, FieldValue value)
{
    if (m_state == State::Browse)
        throw BelvantoError(
            QStringLiteral("Die Tabelle „%1“ ist nicht im Bearbeitungs- oder Einfügemodus.").arg(m_name));
    const FieldDef &def = m_fields.at(field);
    if (def.type == FieldType::Calculated)
        throw BelvantoError(
            QStringLiteral("Das Feld „%1“ wird berechnet und kann nicht geändert werden.").arg(def.name));
    if (auto *text = std::get_if<QString>(&value)) {
        if (text->isEmpty())
            value = std::monostate();
        else
            *text = storableText(text->left(def.size));
    }
    m_buffer.values[field] = std::move(value);
    m_modified = true;
    if (controlsDisabled())
        return;
    emit recordChanged();
    if (m_recNo >= 0 && m_state == State::Edit)
        emit rowChanged(m_recNo);
}

void Table::setAsString(const QString &field, const QString &value)
{
    const int index = requireField(field);
    const FieldType type = m_fields.at(index).type;
    if (value.isEmpty() || type == FieldType::String || type == FieldType::Calculated)
        assign(index, value.isEmpty() ? FieldValue() : FieldValue(value));
    else if (type == FieldType::Integer)
        assign(index, FormatSettings::strToInt(value));
    else if (type == FieldType::Currency)
        assign(index, FormatSettings::strToFloat(value));
    else
        assign(index, FormatSettings::strToDate(value));
}

void Table::setAsInteger(const QString &field, qint32 value)
{
    const int index = requireField(field);
    switch (m_fields.at(index).type) {
    case FieldType::Integer: assign(index, value); break;
    case FieldType::Currency: assign(index, double(value)); break;
    default: setAsString(field, QString::number(value));
    }
}

void Table::setAsFloat(const QString &field, double value)
{
    const int index = requireField(field);
    switch (m_fields.at(index).type) {
    case FieldType::Currency: assign(index, value); break;
    case FieldType::Integer: assign(index, qint32(value)); break;
    default: setAsString(field, FormatSettings::formatFloat(value, 15, 2));
    }
}

void Table::setAsDate(const QString &field, const QDate &value)
{
    const int index = requireField(field);
    if (m_fields.at(index).type == FieldType::Date)
        assign(index, value.isValid() ? FieldValue(value) : FieldValue());
    else
        setAsString(field, FormatSettings::dateToStr(value));
}

void Table::clearField(const QString &field)
{
    assign(requireField(field), FieldValue());
}

QString Table::displayTextAt(int position, int field) const
{
    return rowText(position < 0 ? currentRow() : *m_view.at(position), field, true);
}

QString Table::asStringAt(int position, int field) const
{
    return rowText(position < 0 ? currentRow() : *m_view.at(position), field, false);
}

int Table::viewPosition(const TableRow *row) const
{
    // The view is in table order: the rows with the same order key as this one are next to it.
    const auto [from, to] = std::equal_range(m_view.begin(), m_view.end(), row,
                                             [this](const TableRow *a, const TableRow *b) { return lessThan(*a, *b); });
    const auto at = std::find(from, to, row);
    return at == to ? -1 : int(at - m_view.begin());
}

// The text that locate compares: a text field's value (empty when it is empty), else the edit form.
QString Table::lookupKey(const TableRow &row, int field) const
{
    if (m_fields.at(field).type != FieldType::String)
        return rowText(row, field, false);
    const auto *text = std::get_if<QString>(&valueOf(row, field));
    return text ? *text : QString();
}

const QMultiHash<QString, TableRow *> &Table::lookupIndex(int field)
{
    auto found = m_lookups.find(field);
    if (found == m_lookups.end()) {
        QMultiHash<QString, TableRow *> index;
        index.reserve(qsizetype(m_rows.size()));
        for (const auto &row : m_rows)
            index.insert(lookupKey(*row, field), row.get());
        found = m_lookups.insert(field, std::move(index));
    }
    return found.value();
}

void Table::indexRow(TableRow *row)
{
    for (auto it = m_lookups.begin(); it != m_lookups.end(); ++it)
        it.value().insert(lookupKey(*row, it.key()), row);
}

void Table::unindexRow(TableRow *row)
{
    for (auto it = m_lookups.begin(); it != m_lookups.end(); ++it)
        it.value().remove(lookupKey(*row, it.key()), row);
}

bool Table::locate(const QString &field, const QString &value)
{
    const int index = requireField(field);
    requireSettled("bewegt");
    leaveRecord();
    const FieldType type = m_fields.at(index).type;
    if (type == FieldType::String || type == FieldType::Integer) {
        const QMultiHash<QString, TableRow *> &lookup = lookupIndex(index);
        int first = -1;
        for (auto it = lookup.constFind(value); it != lookup.cend() && it.key() == value; ++it) {
            const int position = viewPosition(it.value());
            if (position >= 0 && (first < 0 || position < first))
                first = position;
        }
        if (first < 0)
            return false;
        m_bof = m_eof = false;
        moveTo(first);
        return true;
    }
    for (int i = 0; i < int(m_view.size()); ++i) {
        if (rowText(*m_view[i], index, false) == value) {
            m_bof = m_eof = false;
            moveTo(i);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------------------------
// Filter and views

bool Table::passes(const TableRow &row) const
{
    return !m_filtered || !m_filter || m_filter->matches(row);
}

void Table::rebuildView()
{
    m_view.clear();
    if (!m_filtered || !m_filter) {
        m_view.resize(m_rows.size());
        std::transform(m_rows.begin(), m_rows.end(), m_view.begin(), [](const auto &row) { return row.get(); });
        return;
    }
    // The filter reads a few values of every row: asking for the rows ahead early keeps the walk
    // from waiting on memory row by row.
    constexpr std::size_t kAhead = 16;
    const std::vector<int> &fields = m_filter->fields();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (i + kAhead < m_rows.size()) {
            const TableRow &ahead = *m_rows[i + kAhead];
            for (const int field : fields)
                __builtin_prefetch(&ahead.values[field]);
        }
        if (m_filter->matches(*m_rows[i]))
            m_view.push_back(m_rows[i].get());
    }
}

void Table::setFilter(const QString &expression)
{
    auto compiled = expression.trimmed().isEmpty() ? nullptr
                                                   : TableFilter::compile(expression, m_fields, m_caseInsensitive);
    requireSettled("gefiltert");
    leaveRecord();
    m_filter = std::move(compiled);
    m_filterText = expression;
    if (m_filtered) {
        rebuildView();
        first();
        notifyReset();
    }
}

void Table::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    requireSettled("gefiltert");
    leaveRecord();
    m_filtered = on;
    rebuildView();
    first();
    notifyReset();
}

void Table::setFilterCaseInsensitive(bool on)
{
    if (on == m_caseInsensitive)
        return;
    if (!m_filterText.trimmed().isEmpty())
        m_filter = TableFilter::compile(m_filterText, m_fields, on);
    m_caseInsensitive = on;
    if (m_filtered) {
        rebuildView();
        first();
        notifyReset();
    }
}

void Table::notifyReset()
{
    if (controlsDisabled())
        return;
    emit reset();
    emit currentChanged(m_recNo);
}

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0)
        notifyReset();
}
