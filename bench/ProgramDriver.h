#pragma once

#include "RecordingPlatform.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class ComboBox;
class Form2;
class MDIForm1;

// The program as a user meets it: the main window shown offscreen, search windows opened
// with "Nova janela", message boxes answered by the test desktop. The program stands in a
// temporary folder, where its preview files go.
class ProgramDriver
{
public:
    explicit ProgramDriver(const QString& catalogue);
    ~ProgramDriver();

    bool openCatalogue();
    // "Nova janela", then the events it leaves pending (showing and painting the window).
    Form2* openWindow();
    void closeWindows();
    int windowCount() const;

    static ComboBox* combo(Form2* window, const char* name);
    static void setText(Form2* window, const char* name, const QString& text);
    static QString text(Form2* window, const char* name);

    // The lengths of the five lists of the last opening, as one line.
    static QString listSizes();

    // Messages shown since the last call.
    QStringList takeMessages();

private:
    QTemporaryDir m_dir;
    RecordingPlatform m_platform;
    std::unique_ptr<MDIForm1> m_main;
    QList<QPointer<Form2>> m_windows;
};
