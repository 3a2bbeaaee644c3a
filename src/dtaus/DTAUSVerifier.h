#pragma once

#include <QList>
#include <QString>

class QIODevice;

// Strict check of a DTAUS file against its fixed layout, with the control sums of the E record
// recomputed. Stricter than the reader, which passes over most fixed fields.
class DTAUSVerifier
{
public:
    struct Finding {
        int record; // 1 is the A record
        int position; // within the record, from 1
        QString text;
    };

    // Reads the whole device; findings beyond kMaxFindings are counted, not kept.
    void verify(QIODevice &device);

    const QList<Finding> &findings() const { return m_findings; }
    int suppressedFindings() const { return m_suppressed; }
    int transactions() const { return m_transactions; }
    bool isValid() const { return m_findings.isEmpty(); }

    static constexpr int kMaxFindings = 1000;

private:
    class Record;
    void add(int record, int position, const QString &text);
    bool checkA(const QByteArray &a);
    bool checkC(QIODevice &device, const QByteArray &header, int record);
    void checkExtensionPart(Record &r, int record, int index, bool used);
    void checkE(const QByteArray &e, int record);

    QList<Finding> m_findings;
    int m_suppressed = 0;
    int m_transactions = 0;
    bool m_debitFile = false;
    qint64 m_sumKonto = 0;
    qint64 m_sumBLZ = 0;
    qint64 m_sumCents = 0;
    QByteArray m_originatorBLZ;
    QByteArray m_originatorKonto;
};
