#pragma once

#include "ui/platform/PlatformBackend.h"

#include <QList>
#include <QString>

// A desktop stand-in for tests: message boxes are answered from a queue (OK, or Yes when
// the queue is empty) and recorded with everything else that would reach the desktop.
// Installed for its lifetime.
class RecordingPlatform : public PlatformBackend
{
public:
    struct Message
    {
        QString text;
        QString title;
        Buttons buttons;
        QString details;
    };

    RecordingPlatform();
    ~RecordingPlatform() override;

    void setNextAnswer(Answer answer) { m_answers.append(answer); }
    void setNextFileName(const QString& name) { m_fileNames.append(name); }

    QList<Message> messages;
    QList<FileDialogRequest> fileDialogs;
    QList<ViewerCommand> viewerCommands;
    int programEnds = 0;
    QStringList notices;

    QStringList messageTexts() const;
    void clear();

    Answer messageBox(QWidget* parent, const QString& text, Buttons buttons, const QString& title,
                      const QString& details) override;
    QString openFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    void runViewer(const ViewerCommand& command) override;
    void endProgram() override;
    void notice(QWidget* parent, const QString& text) override;

private:
    QList<Answer> m_answers;
    QStringList m_fileNames;
};
