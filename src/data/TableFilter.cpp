#include "data/TableFilter.h"

#include "base/Errors.h"
#include "data/FormatSettings.h"

namespace {

enum class Op { Equal, NotEqual, GreaterOrEqual, LessOrEqual };

struct Token {
    enum Kind { Name, Operator, Quoted, LeftParen, RightParen, And, Or, End } kind = End;
    QString text;
};

class Tokenizer
{
public:
    explicit Tokenizer(const QString &text)
        : m_text(text)
    { }

    Token next()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
        if (m_pos >= m_text.size())
            return {Token::End, {}};
        const QChar c = m_text.at(m_pos);
        if (c == u'(' || c == u')') {
            ++m_pos;
            return {c == u'(' ? Token::LeftParen : Token::RightParen, QString(c)};
        }
        if (c == u'\'')
            return quoted();
        if (c == u'[')
            return bracketed();
        if (c == u'=' || c == u'<' || c == u'>')
            return op();
        if (c.isLetterOrNumber() || c == u'_') {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == u'_'))
                ++m_pos;
            const QString word = m_text.mid(start, m_pos - start);
            if (word.compare(QLatin1String("and"), Qt::CaseInsensitive) == 0)
                return {Token::And, word};
            if (word.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0)
                return {Token::Or, word};
            return {Token::Name, word};
        }
        throw error(QStringLiteral("unerwartetes Zeichen „%1“").arg(c));
    }

    BelvantoError error(const QString &what) const
    {
        return BelvantoError(QStringLiteral("Der Filter „%1“ ist fehlerhaft: %2.").arg(m_text, what));
    }

private:
    Token quoted()
    {
        QString value;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c != u'\'') {
                value.append(c);
            } else if (m_pos < m_text.size() && m_text.at(m_pos) == u'\'') {
                value.append(c); // '' stands for one quote
                ++m_pos;
            } else {
                return {Token::Quoted, value};
            }
        }
        throw error(QStringLiteral("schließendes Hochkomma fehlt"));
    }

    Token bracketed()
    {
        const qsizetype close = m_text.indexOf(u']', m_pos);
        if (close < 0)
            throw error(QStringLiteral("schließende Klammer „]“ fehlt"));
        const QString name = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        return {Token::Name, name};
    }

    Token op()
    {
        static const QStringList ops = {QStringLiteral("<>"), QStringLiteral(">="), QStringLiteral("<="),
                                        QStringLiteral("=")};
        for (const QString &candidate : ops) {
            if (QStringView(m_text).mid(m_pos).startsWith(candidate)) {
                m_pos += candidate.size();
                return {Token::Operator, candidate};
            }
        }
        throw error(QStringLiteral("unbekannter Vergleich „%1“").arg(m_text.at(m_pos)));
    }

    QString m_text;
    qsizetype m_pos = 0;
};

template <typename T> bool compare(const T &a, const T &b, Op op)
{
    switch (op) {
    case Op::Equal: return a == b;
    case Op::NotEqual: return !(a == b);
    case Op::GreaterOrEqual: return !(a < b);
    case Op::LessOrEqual: return !(b < a);
    }
    return false;
}

class TextComparison : public TableFilter
{
public:
    TextComparison(int field, Op op, QString value, Qt::CaseSensitivity cs)
        : m_field(field)
        , m_op(op)
        , m_cs(cs)
    {
        m_prefix = op == Op::Equal && value.endsWith(u'*'); // only "=" knows the wildcard
        m_value = m_prefix ? value.chopped(1) : value;
    }

    bool matches(const TableRow &row) const override
    {
        const auto *text = std::get_if<QString>(&row.values[m_field]);
        const QString &value = text ? *text : emptyText();
        if (m_prefix)
            return value.startsWith(m_value, m_cs);
        if (m_cs == Qt::CaseSensitive && (m_op == Op::Equal || m_op == Op::NotEqual))
            return (value == m_value) == (m_op == Op::Equal); // compares the lengths first
        return compare(value.compare(m_value, m_cs), 0, m_op);
    }

private:
    static const QString &emptyText()
    {
        static const QString empty;
        return empty;
    }
    int m_field;
    Op m_op;
    Qt::CaseSensitivity m_cs;
    QString m_value;
    bool m_prefix = false;
};

// Integer, currency and date fields; an empty field matches no comparison.
template <typename T> class ValueComparison : public TableFilter
{
public:
    ValueComparison(int field, Op op, T value)
        : m_field(field)
        , m_op(op)
        , m_value(value)
    { }
    bool matches(const TableRow &row) const override
    {
        const auto *value = std::get_if<T>(&row.values[m_field]);
        return value && compare(*value, m_value, m_op);
    }

private:
    int m_field;
    Op m_op;
    T m_value;
};

class Junction : public TableFilter
{
public:
    Junction(std::unique_ptr<TableFilter> left, std::unique_ptr<TableFilter> right, bool isAnd)
        : m_left(std::move(left))
        , m_right(std::move(right))
        , m_and(isAnd)
    { }
    bool matches(const TableRow &row) const override
    {
        return m_and ? m_left->matches(row) && m_right->matches(row) : m_left->matches(row) || m_right->matches(row);
    }

private:
    std::unique_ptr<TableFilter> m_left;
    std::unique_ptr<TableFilter> m_right;
    bool m_and;
};

class Parser
{
public:
    Parser(const QString &text, const QList<FieldDef> &fields, bool caseInsensitive)
        : m_tokens(text)
        , m_fields(fields)
        , m_cs(caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive)
    {
        m_token = m_tokens.next();
    }

    std::unique_ptr<TableFilter> parse()
    {
        auto result = disjunction();
        if (m_token.kind != Token::End)
            throw m_tokens.error(QStringLiteral("„%1“ ist hier nicht erlaubt").arg(m_token.text));
        return result;
    }

    const std::vector<int> &fieldsRead() const { return m_fieldsRead; }

private:
    void advance() { m_token = m_tokens.next(); }

    std::unique_ptr<TableFilter> disjunction()
    {
        auto left = conjunction();
        while (m_token.kind == Token::Or) {
            advance();
            left = std::make_unique<Junction>(std::move(left), conjunction(), false);
        }
        return left;
    }

    std::unique_ptr<TableFilter> conjunction()
    {
        auto left = primary();
        while (m_token.kind == Token::And) {
            advance();
            left = std::make_unique<Junction>(std::move(left), primary(), true);
        }
        return left;
    }

    std::unique_ptr<TableFilter> primary()
    {
        if (m_token.kind == Token::LeftParen) {
            advance();
            auto inner = disjunction();
            if (m_token.kind != Token::RightParen)
                throw m_tokens.error(QStringLiteral("schließende Klammer fehlt"));
            advance();
            return inner;
        }
        return comparison();
    }

    std::unique_ptr<TableFilter> comparison()
    {
        if (m_token.kind != Token::Name)
            throw m_tokens.error(QStringLiteral("Feldname erwartet"));
        const int field = fieldIndex(m_token.text);
        if (std::find(m_fieldsRead.begin(), m_fieldsRead.end(), field) == m_fieldsRead.end())
            m_fieldsRead.push_back(field);
        advance();
        if (m_token.kind != Token::Operator)
            throw m_tokens.error(QStringLiteral("Vergleich erwartet"));
        const Op op = m_token.text == QLatin1String("=") ? Op::Equal
            : m_token.text == QLatin1String("<>")        ? Op::NotEqual
            : m_token.text == QLatin1String(">=")        ? Op::GreaterOrEqual
                                                         : Op::LessOrEqual;
        advance();
        if (m_token.kind != Token::Quoted)
            throw m_tokens.error(QStringLiteral("Wert in Hochkommas erwartet"));
        const QString value = m_token.text;
        advance();
        switch (m_fields.at(field).type) {
        case FieldType::Integer:
            return std::make_unique<ValueComparison<qint32>>(field, op, FormatSettings::strToInt(value));
        case FieldType::Currency:
            return std::make_unique<ValueComparison<double>>(field, op, FormatSettings::strToFloat(value));
        case FieldType::Date:
            return std::make_unique<ValueComparison<QDate>>(field, op, FormatSettings::strToDate(value));
        case FieldType::String: return std::make_unique<TextComparison>(field, op, value, m_cs);
        case FieldType::Calculated: break;
        }
        throw m_tokens.error(
            QStringLiteral("nach dem berechneten Feld „%1“ kann nicht gefiltert werden").arg(m_fields.at(field).name));
    }

    int fieldIndex(const QString &name) const
    {
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        throw m_tokens.error(QStringLiteral("das Feld „%1“ gibt es nicht").arg(name));
    }

    Tokenizer m_tokens;
    const QList<FieldDef> &m_fields;
    Qt::CaseSensitivity m_cs;
    Token m_token;
    std::vector<int> m_fieldsRead;
};

} // namespace

std::unique_ptr<TableFilter> TableFilter::compile(const QString &expression, const QList<FieldDef> &fields,
                                                  bool caseInsensitive)
{
    Parser parser(expression, fields, caseInsensitive);
    std::unique_ptr<TableFilter> filter = parser.parse();
    filter->m_fields = parser.fieldsRead();
    return filter;
}
