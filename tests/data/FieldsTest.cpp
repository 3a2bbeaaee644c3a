// The values of a record against a plain vector: records made in one block with their values and
// value sets on the heap, copied, moved and resized into each other in a seeded random order.
#include "data/Fields.h"

#include <gtest/gtest.h>
#include <random>

namespace {

TEST(RowValuesTest, recordsInOneBlockAndOnTheHeapBehaveAsVectors)
{
    for (unsigned seed : {1u, 2u, 3u, 20261210u}) {
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
        const auto anyValue = [&]() -> FieldValue {
            switch (pick(5)) {
            case 0: return std::monostate();
            case 1: return qint32(pick(1000));
            case 2: return pick(1000) / 8.0;
            case 3: return QDate(2026, 1, 1).addDays(pick(365));
            default: return QString(pick(40), QChar(u'a' + pick(26)));
            }
        };
        // Half of the records as a table keeps them, half as an edit buffer holds them.
        std::vector<std::unique_ptr<TableRow>> rows;
        std::vector<std::vector<FieldValue>> expected;
        for (int i = 0; i < 8; ++i) {
            const int size = 1 + pick(12);
            rows.push_back(i % 2 ? TableRow::make(size) : std::make_unique<TableRow>(TableRow {RowValues(size)}));
            expected.emplace_back(size);
        }
        for (int step = 0; step < 3000; ++step) {
            const int a = pick(8);
            const int b = pick(8);
            RowValues &values = rows[a]->values;
            switch (pick(7)) {
            case 0:
                values = rows[b]->values;
                expected[a] = expected[b];
                break;
            case 1: // the values left behind by a move are not looked at: they are given anew
                if (a == b)
                    continue;
                values = std::move(rows[b]->values);
                expected[a] = expected[b];
                rows[b]->values.assign(expected[b].size());
                expected[b].assign(expected[b].size(), FieldValue());
                break;
            case 2: {
                const std::size_t size = pick(14);
                values.resize(size);
                expected[a].resize(size);
                break;
            }
            case 3: {
                const std::size_t size = pick(14);
                values.assign(size);
                expected[a].assign(size, FieldValue());
                break;
            }
            case 4:
                values.clear();
                expected[a].clear();
                break;
            case 5: { // a record copied whole, as a post copies the edited one
                *rows[a] = TableRow(*rows[b]);
                expected[a] = expected[b];
                break;
            }
            default:
                if (values.empty())
                    continue;
                const std::size_t at = pick(int(values.size()));
                values.at(at) = anyValue();
                expected[a][at] = values[at];
            }
            for (int i = 0; i < 8; ++i) {
                const RowValues &got = rows[i]->values;
                ASSERT_TRUE(std::equal(got.begin(), got.end(), expected[i].begin(), expected[i].end()))
                    << "seed " << seed << ", step " << step << ", record " << i;
            }
        }
        EXPECT_THROW(rows[0]->values.at(rows[0]->values.size()), std::out_of_range);
    }
}

} // namespace
