#include "RecordingPlatform.h"

#include "ui/platform/Platform.h"

RecordingPlatform::RecordingPlatform()
{
    Platform::setBackend(this);
}

RecordingPlatform::~RecordingPlatform()
{
    Platform::setBackend(nullptr);
}

QStringList RecordingPlatform::messageTexts() const
{
    QStringList texts;
    for (const Message& message : messages)
        texts.append(message.text);
    return texts;
}

void RecordingPlatform::clear()
{
    messages.clear();
    fileDialogs.clear();
    viewerCommands.clear();
    programEnds = 0;
    notices.clear();
}

PlatformBackend::Answer RecordingPlatform::messageBox(QWidget*, const QString& text, Buttons buttons,
                                                      const QString& title, const QString& details)
{
    messages.append({text, title, buttons, details});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return m_answers.isEmpty() ? Answer::Yes : m_answers.takeFirst();
}

QString RecordingPlatform::openFileDialog(QWidget*, const FileDialogRequest& request)
{
    fileDialogs.append(request);
    return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
}

void RecordingPlatform::runViewer(const ViewerCommand& command)
{
    viewerCommands.append(command);
}

void RecordingPlatform::endProgram()
{
    ++programEnds;
}

void RecordingPlatform::notice(QWidget* /*parent*/, const QString& text)
{
    notices.append(text);
}
