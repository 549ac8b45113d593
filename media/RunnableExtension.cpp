#include "RunnableExtension.h"

namespace RunnableExtension {

namespace {

const char* const kRunnable[] = {
    // Windows programs and installers.
    "exe", "com", "scr", "pif", "cpl", "msc", "msi", "msp", "mst", "jar", "application", "appref-ms",
    "gadget", "xbap", "appx", "appxbundle", "msix", "msixbundle", "msu", "appinstaller", "vsix", "vsto",
    "air", "jnlp", "wsb",
    // Windows help, diagnostics, themes and Office add-ins and databases that carry code.
    "chm", "hlp", "diagcab", "diagcfg", "diagpkg", "theme", "themepack", "deskthemepack", "xll", "xla",
    "xlam", "ade", "adp", "mde", "accde", "sct",
    // Windows scripts, run by their interpreter on open.
    "bat", "cmd", "vb", "vbs", "vbe", "js", "jse", "ws", "wsf", "wsc", "wsh", "hta", "ps1", "psm1", "psd1",
    "ps1xml", "ps2", "ps2xml", "psc1", "psc2", "msh", "msh1", "msh2", "mshxml", "msh1xml", "msh2xml", "py",
    "pyw", "pyz", "pyzw", "pyc", "pyo",
    // Windows shortcuts, shell commands and settings that act when opened.
    "lnk", "url", "website", "scf", "shb", "shs", "reg", "inf", "ins", "isp", "settingcontent-ms",
    "library-ms", "search-ms", "searchconnector-ms", "rdp", "ica", "xnk",
    // Linux and macOS launchers, scripts and packages.
    "desktop", "sh", "run", "appimage", "command", "tool", "app", "deb", "rpm", "flatpakref", "snap", "pkg",
    "mpkg", "flatpak", "flatpakrepo", "ymp", "terminal", "fileloc", "workflow", "mobileconfig", "scpt",
    "scptd", "applescript", "action"};

} // namespace

bool isRunnable(const QString& extension)
{
    for (const char* runnable : kRunnable) {
        if (extension.compare(QLatin1String(runnable), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace RunnableExtension
