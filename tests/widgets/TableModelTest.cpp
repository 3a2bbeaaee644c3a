// A seeded random run of table operations against a plain reference model, with the real grid and a
// second view attached that call back into the table from their slots. After every step the table,
// the grid model and the reference must agree; a failure names the seed and the steps up to it.
#include "data/DataModule.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"

#include <QAbstractItemModelTester>
#include <random>
#include <sstream>

namespace {

struct Layout {
    const char *name;
    QList<FieldDef> fields;
    bool descending;
    QString tagField; // the field the filter looks at
};

struct Rec {
    int id = 0;
    QString name; // unique: the record's identity
    QString tag;
};

void PrintTo(const Layout &layout, std::ostream *os)
{
    *os << layout.name;
}

// What the table should do, written as plainly as possible.
class Reference
{
public:
    using State = Table::State;

    explicit Reference(bool descending)
        : m_descending(descending)
    { }

    std::vector<const Rec *> view() const
    {
        std::vector<const Rec *> result;
        for (const Rec &r : rows)
            if (passes(r))
                result.push_back(&r);
        return result;
    }
    int viewSize() const { return int(view().size()); }
    bool passes(const Rec &r) const { return !filtered || r.tag == QLatin1String("X"); }

    void leave()
    {
        if (state == State::Edit && !modified)
            state = State::Browse;
        else
            post();
    }
    void insert(Rec r)
    {
        leave();
        buffer = std::move(r);
        state = State::Insert;
        modified = true;
    }
    void edit()
    {
        if (state != State::Browse)
            return;
        buffer = *view().at(cur);
        modified = false;
        state = State::Edit;
    }
    void set(int id, const QString &tag)
    {
        buffer.id = id;
        buffer.tag = tag;
        modified = true;
    }
    void post()
    {
        if (state == State::Browse)
            return;
        const int old = cur;
        if (state == State::Insert) {
            place(buffer);
        } else {
            Rec &row = find(view().at(old)->name);
            const bool keyChanged = row.id != buffer.id;
            if (keyChanged) {
                rows.erase(rows.begin() + (&row - rows.data()));
                place(buffer);
            } else {
                row = buffer;
            }
        }
        state = State::Browse;
        cur = passes(buffer) ? positionOf(buffer.name) : std::min(old, viewSize() - 1);
    }
    void cancel() { state = State::Browse; }
    void deleteRecord()
    {
        const bool inserting = state == State::Insert;
        state = State::Browse;
        if (inserting)
            return;
        const Rec &row = find(view().at(cur)->name);
        rows.erase(rows.begin() + (&row - rows.data()));
        cur = std::min(cur, viewSize() - 1);
    }
    void first()
    {
        leave();
        cur = viewSize() > 0 ? 0 : -1;
    }
    void next()
    {
        leave();
        if (cur + 1 < viewSize())
            ++cur;
    }
    void prior()
    {
        leave();
        if (cur > 0)
            --cur;
    }
    void last()
    {
        leave();
        cur = viewSize() - 1;
    }
    void setRecNo(int position)
    {
        if (position < 0 || position >= viewSize() || position == cur)
            return;
        const QString target = view().at(position)->name;
        leave();
        cur = positionOf(target);
    }
    bool locate(const QString &name)
    {
        leave();
        const int at = positionOf(name);
        if (at >= 0)
            cur = at;
        return at >= 0;
    }
    void setFiltered(bool on)
    {
        if (on == filtered)
            return;
        leave();
        filtered = on;
        cur = viewSize() > 0 ? 0 : -1;
    }

    std::vector<Rec> rows; // table order
    bool filtered = false;
    int cur = -1;
    State state = State::Browse;
    Rec buffer;
    bool modified = false;

private:
    bool less(const Rec &a, const Rec &b) const { return m_descending ? a.id > b.id : a.id < b.id; }
    void place(const Rec &r)
    {
        auto at = std::upper_bound(rows.begin(), rows.end(), r,
                                   [this](const Rec &a, const Rec &b) { return less(a, b); });
        rows.insert(at, r);
    }
    Rec &find(const QString &name)
    {
        return *std::find_if(rows.begin(), rows.end(), [&](const Rec &r) { return r.name == name; });
    }
    int positionOf(const QString &name) const
    {
        const auto v = view();
        for (int i = 0; i < int(v.size()); ++i)
            if (v[i]->name == name)
                return i;
        return -1;
    }

    bool m_descending;
};

// Qt's model checks report through the message handler; collected here, checked after every step.
QStringList g_modelFailures;
void collectModelFailures(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && qstrcmp(context.category, "qt.modeltest") == 0)
        g_modelFailures.append(message);
}

class TableModelTest : public BelvantoTest, public ::testing::WithParamInterface<Layout>
{
protected:
    void SetUp() override
    {
        BelvantoTest::SetUp();
        const Layout &layout = GetParam();
        table.setFields(layout.fields);
        table.setOrder(QStringLiteral("ID"), layout.descending);
        table.setFilter(QStringLiteral("%1 = 'X'").arg(layout.tagField));
        g_modelFailures.clear();
        m_previousHandler = qInstallMessageHandler(collectModelFailures);
    }
    void TearDown() override
    {
        qInstallMessageHandler(m_previousHandler);
        BelvantoTest::TearDown();
    }

    Rec tableRow(int position) const
    {
        return {table.asStringAt(position, table.fieldIndex(QStringLiteral("ID"))).toInt(),
                table.asStringAt(position, table.fieldIndex(QStringLiteral("Name"))),
                table.asStringAt(position, table.fieldIndex(GetParam().tagField))};
    }

    // Empty when table, grid and reference agree, else what differs.
    std::string compare(const Reference &ref, const DBGrid &grid) const
    {
        std::ostringstream out;
        const auto view = ref.view();
        if (table.recordCount() != int(view.size()))
            out << "records " << table.recordCount() << " != " << view.size() << "; ";
        for (int i = 0; i < std::min(table.recordCount(), int(view.size())); ++i) {
            const Rec row = tableRow(i);
            if (row.id != view[i]->id || row.name != view[i]->name || row.tag != view[i]->tag)
                out << "row " << i << " is " << row.id << "/" << row.name.toStdString() << "/" << row.tag.toStdString()
                    << ", expected " << view[i]->id << "/" << view[i]->name.toStdString() << "/"
                    << view[i]->tag.toStdString() << "; ";
        }
        if (table.recNo() != ref.cur)
            out << "current " << table.recNo() << " != " << ref.cur << "; ";
        if (table.state() != ref.state)
            out << "state " << int(table.state()) << " != " << int(ref.state) << "; ";
        if (ref.state != Table::State::Browse
            && (table.asInteger(QStringLiteral("ID")) != ref.buffer.id
                || table.asString(QStringLiteral("Name")) != ref.buffer.name
                || table.asString(GetParam().tagField) != ref.buffer.tag))
            out << "edited record differs; ";
        const auto &model = grid.tableModel();
        if (model.rowCount() != table.recordCount())
            out << "grid rows " << model.rowCount() << "; ";
        int nameColumn = 0;
        while (model.fieldOfColumn(nameColumn) != table.fieldIndex(QStringLiteral("Name")))
            ++nameColumn;
        for (int i = 0; i < std::min(model.rowCount(), int(view.size())); ++i) {
            if (model.index(i, nameColumn).data().toString() != view[i]->name)
                out << "grid row " << i << "; ";
        }
        if (table.recNo() >= 0 && grid.currentIndex().row() != table.recNo())
            out << "grid current " << grid.currentIndex().row() << "; ";
        for (const QString &failure : g_modelFailures)
            out << "model: " << failure.toStdString() << "; ";
        return out.str();
    }

    void run(unsigned seed, int steps)
    {
        Reference ref(GetParam().descending);
        DBGrid grid(table);
        QAbstractItemModelTester tester(&grid.tableModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
        // A second view as careless as views are: it moves the table while it is told of a change and
        // reads the current record whenever it moves.
        // It does not call back from within its own call: a table that announced the same change again
        // would otherwise loop.
        QObject follower;
        QString seen;
        int depth = 0;
        const auto callBack = [&](int position) {
            if (depth++ == 0)
                table.setRecNo(position);
            --depth;
        };
        QObject::connect(&table, &Table::rowInserted, &follower, [&] { callBack(0); });
        QObject::connect(&table, &Table::rowRemoved, &follower, [&](int position) { callBack(position - 1); });
        QObject::connect(&table, &Table::currentChanged, &follower,
                         [&] { seen = table.asString(QStringLiteral("Name")); });

        std::mt19937 random(seed);
        const auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
        const auto tag = [&] { return pick(2) ? QStringLiteral("X") : QStringLiteral("Y"); };
        std::vector<std::string> log;
        int made = 0;
        for (int step = 0; step < steps; ++step) {
            const bool editing = ref.state != Table::State::Browse;
            const int size = ref.viewSize();
            std::string op;
            switch (pick(15)) {
            case 0:
            case 1: {
                Rec r {1 + pick(60), QStringLiteral("R%1").arg(++made), tag()};
                op = "insert " + r.name.toStdString();
                table.insert();
                table.setAsInteger(QStringLiteral("ID"), r.id);
                table.setAsString(QStringLiteral("Name"), r.name);
                table.setAsString(GetParam().tagField, r.tag);
                ref.insert(r);
                break;
            }
            case 2:
            case 3: { // a control changes a field: the record goes into edit first
                if (size == 0 && !editing)
                    continue;
                if (!editing) {
                    table.edit();
                    ref.edit();
                }
                const int id = pick(3) == 0 ? 1 + pick(60) : ref.buffer.id;
                const QString t = tag();
                op = "set " + std::to_string(id) + " " + t.toStdString();
                table.setAsInteger(QStringLiteral("ID"), id);
                table.setAsString(GetParam().tagField, t);
                ref.set(id, t);
                break;
            }
            case 4:
                if (size == 0)
                    continue;
                op = "edit";
                table.edit();
                ref.edit();
                break;
            case 5:
                op = "post";
                table.post();
                ref.post();
                break;
            case 6:
                op = "cancel";
                table.cancel();
                ref.cancel();
                break;
            case 7:
                if (size == 0 && !editing)
                    continue;
                op = "delete";
                table.deleteRecord();
                ref.deleteRecord();
                break;
            case 8:
                op = "first";
                table.first();
                ref.first();
                break;
            case 9:
                op = pick(2) ? "next" : "prior";
                op == "next" ? (table.next(), ref.next()) : (table.prior(), ref.prior());
                break;
            case 10:
                op = "last";
                table.last();
                ref.last();
                break;
            case 11: { // a click into the grid
                if (size == 0)
                    continue;
                const int row = pick(size);
                op = "click " + std::to_string(row);
                grid.setCurrentIndex(grid.model()->index(row, 1));
                ref.setRecNo(row);
                break;
            }
            case 12: {
                if (ref.rows.empty())
                    continue;
                const QString name = ref.rows.at(pick(int(ref.rows.size()))).name;
                op = "locate " + name.toStdString();
                const bool found = table.locate(QStringLiteral("Name"), name);
                if (found != ref.locate(name))
                    op += " (found differs)";
                break;
            }
            case 13: {
                const bool on = !ref.filtered;
                op = on ? "filter on" : "filter off";
                table.setFiltered(on);
                ref.setFiltered(on);
                break;
            }
            case 14: { // written and read back: the rows are made anew by the packet reader
                op = "reload";
                table.saveToFile(path(QStringLiteral("model.xml")));
                table.loadFromFile(path(QStringLiteral("model.xml")));
                ref.cancel();
                ref.cur = ref.viewSize() > 0 ? 0 : -1;
                break;
            }
            }
            log.push_back(op);
            const std::string difference = compare(ref, grid);
            if (!difference.empty()) {
                std::ostringstream steps;
                for (const std::string &s : log)
                    steps << s << "; ";
                FAIL() << GetParam().name << ", seed " << seed << ", fails after step " << log.size() << ": "
                       << difference << "\nsteps: " << steps.str();
            }
        }
    }

    Table table {QStringLiteral("Modell")};

private:
    QtMessageHandler m_previousHandler = nullptr;
};

TEST_P(TableModelTest, randomOperationsAgreeWithTheReference)
{
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 20261209u}) {
        table.setFiltered(false);
        table.emptyTable();
        run(seed, 1500);
        if (HasFatalFailure() || HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TableModelTest,
    ::testing::Values(Layout {"bookings", TDataModule1::BookingFields(), true, QStringLiteral("Status")},
                      Layout {"payers", TDataModule1::PayerFields(), false, QStringLiteral("Ort")},
                      Layout {"clients", TDataModule1::ClientFields(), false, QStringLiteral("Ort")}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
