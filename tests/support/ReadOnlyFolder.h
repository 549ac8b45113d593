#pragma once

#include <QString>

// While it lives, the folder takes no new file from the program, as a folder the user may
// not write to; the files in it keep their own permissions. The tests run as root, whom
// permission bits do not stop, so for the object's lifetime the process acts as the
// ordinary user "nobody": make it just around the action under test.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();

    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_folder;
    bool m_wasRoot = false;
};
