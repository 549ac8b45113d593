#pragma once

#include <QSqlDatabase>
#include <QString>

// One read-only connection to a catalogue file. The program never writes to the
// catalogue: the file is opened read-only, so not even a journal is created beside it.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an SQLite catalogue file; false when it is missing or cannot be opened.
    bool open(const QString& sqlitePath);
    bool isOpen() const;
    QSqlDatabase database() const;

private:
    QString m_name;
};
