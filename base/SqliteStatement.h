#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// One SQL statement on an SQLite connection, through SQLite's own interface: prepared once,
// bound, stepped row by row, reset to run again, and finalized when it goes. Every program,
// tool and benchmark that reads or writes a catalogue file runs its statements through it.
class SqliteStatement
{
public:
    enum class Step
    {
        Row,
        Done,
        Failed
    };
    enum class Type
    {
        Integer,
        Real,
        Text,
        Blob,
        Null
    };

    SqliteStatement() = default;
    // A statement that failed to prepare is not prepared; errorString() says why.
    SqliteStatement(sqlite3* db, QByteArrayView sql);
    SqliteStatement(sqlite3* db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isPrepared() const { return m_statement != nullptr; }

    // Parameters count from 1, as SQLite counts them. False when the value is refused or the
    // statement is not prepared; a statement whose value was refused never runs. A null QVariant binds NULL;
    // text binds as text, a byte array as a blob, whole numbers and booleans as integers, other numbers as
    // reals.
    bool bind(int position, const QVariant& value);
    // The values to the parameters 1, 2, ... in turn.
    bool bindAll(const QVariantList& values);
    bool bindNull(int position);
    bool bindInteger(int position, qint64 value);
    bool bindReal(int position, double value);
    // Text (UTF-8) and blob bytes that stay in place until the statement is stepped and reset:
    // SQLite reads them where they are, without a copy.
    bool bindUnownedText(int position, const char* bytes, qsizetype size);
    bool bindUnownedBlob(int position, const void* bytes, qsizetype size);

    // The next row, the end, or a failure (an error, a damaged file, a statement not prepared
    // or not wholly bound).
    Step step();
    // Back before the first row, for another run; the bound values stay.
    bool reset();

    int columnCount() const;
    QString columnName(int column) const;
    // The first column of that name without regard to case; -1 when there is none.
    int columnIndex(QStringView name) const;
    Type type(int column) const;
    bool isNull(int column) const { return type(column) == Type::Null; }
    // A column of the current row as Qt's types: qint64, double, QString or QByteArray; a NULL
    // gives a null QVariant of type QString. An invalid QVariant when the column does not exist.
    QVariant value(int column) const;
    // A column's text as SQLite holds it, UTF-8; valid until the next step or reset.
    QByteArrayView utf8(int column) const;
    // A blob column's bytes as SQLite holds them; valid until the next step or reset.
    QByteArrayView blob(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;

    QString errorString() const;

private:
    bool checked(int resultCode);
    bool bound(int resultCode);
    void finalize();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
    bool m_bindRefused = false;
};
