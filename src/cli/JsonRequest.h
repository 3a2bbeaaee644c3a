#pragma once

#include <memory>
#include <QDate>
#include <QStringList>
#include <simdjson.h>

// A JSON request read from a file, checked value by value before anything is converted: a value of
// the wrong type or range names its key (and the list member it is in) instead of becoming another
// valid value in the output. Members are looked up by their first occurrence.
class JsonRequest
{
public:
    bool has(const char *key) const;
    bool boolean(const char *key, bool fallback) const;
    QString text(const char *key) const; // empty when missing
    // A whole number from 0 to `maximum`, as a JSON number or a text of digits.
    qint64 wholeNumber(const char *key, qint64 maximum) const;
    double amount(const char *key) const;
    QDate date(const char *key) const;
    QStringList texts(const char *key) const;

    // The members of the list `key` (none when missing), each of which must be an object; messages
    // about a member name it as "<itemName> <number>: ".
    template <typename Each> void forEachObject(const char *key, const char *itemName, Each each) const
    {
        simdjson::dom::array members;
        if (!list(key, members))
            return;
        qsizetype number = 0;
        for (simdjson::dom::element member : members) {
            ++number;
            simdjson::dom::object object;
            if (member.get(object))
                JsonRequest(m_object, itemName, number).failItem(key);
            each(JsonRequest(object, itemName, number));
        }
    }
    qsizetype listSize(const char *key) const; // a lower bound for very long lists

    [[noreturn]] void fail(const char *key, const QString &what) const;

private:
    friend class JsonFile;
    JsonRequest(simdjson::dom::object object, const char *itemName = nullptr, qsizetype itemNumber = 0);
    bool find(const char *key, simdjson::dom::element &element) const; // false when missing or null
    bool list(const char *key, simdjson::dom::array &members) const; // false when missing
    QString where() const;
    [[noreturn]] void failItem(const char *listKey) const;

    simdjson::dom::object m_object;
    const char *m_itemName = nullptr;
    qsizetype m_itemNumber = 0;
};

// The parsed file; the requests it hands out point into it.
class JsonFile
{
public:
    // Reads the file, at most `maxSize` bytes; throws the German message when it cannot be read, is no
    // JSON or no JSON object.
    JsonFile(const QString &fileName, qint64 maxSize);
    JsonRequest root() const { return JsonRequest(m_root); }

private:
    simdjson::dom::parser m_parser;
    simdjson::dom::object m_root;
};
