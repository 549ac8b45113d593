#pragma once

#include <QString>

// What the desktop is asked to open: a preview file or a web address, handed to the
// desktop shell ("explorer.exe" on Windows) without waiting for it.
struct ViewerCommand
{
    enum class Window { MinimisedWithFocus, MaximisedWithFocus };

    QString target;
    bool quoted = true;  // the target is enclosed in double quotes on the command line
    Window window = Window::MinimisedWithFocus;

    // The command line as the Windows shell receives it.
    QString commandLine() const;

    bool operator==(const ViewerCommand& other) const
    {
        return target == other.target && quoted == other.quoted && window == other.window;
    }
};

// The maker's web catalogue page, opened from the header picture of the search window.
inline const QString CatalogueWebPage = QStringLiteral("http://www.korvel.com.br/produtos/catalogo/index.cfm");
