#pragma once

#include "RecordingPlatform.h"
#include "TestProgram.h"
#include "WindowText.h"

#include <memory>

class ComboBox;
class Form2;
class QWidget;

// Types the text into the widget a character at a time, as key presses.
void typeText(QWidget* widget, const QString& text);

// A search window over the standard test catalogue, shown and loaded, with the desktop
// answered by a RecordingPlatform. Controls are reached by their objectNames.
class SearchWindowFixture
{
public:
    SearchWindowFixture();
    ~SearchWindowFixture();

    Form2* window() const { return m_window.get(); }
    RecordingPlatform& platform() { return m_platform; }
    TestProgram& program() { return m_program; }

    // Opens another search window as "Nova janela" would (for shared-list checks).
    std::unique_ptr<Form2> openAnother();

    ComboBox* combo(const QString& name) const;
    QWidget* control(const QString& name) const;
    QString text(const QString& name) const;
    QStringList entries(const QString& name) const;
    bool isShown(const QString& name) const;

    // Types a text into a combo box (replacing its text) and presses Enter.
    void typeAndEnter(const QString& comboName, const QString& text);
    // Opens the combo box's list and clicks the entry with this text.
    void choose(const QString& comboName, const QString& entry);

private:
    TestProgram m_program;
    RecordingPlatform m_platform;
    std::unique_ptr<Form2> m_window;
};

// A search window opened and shown as "Nova janela" shows it, owned by the caller.
std::unique_ptr<Form2> openSearchWindow();
