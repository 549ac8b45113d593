#include "StoredFileContent.h"

namespace StoredFileContent {

namespace {

struct Mark
{
    const char* bytes;
    int size;
};

#define MARK(text)                                                                                           \
    {                                                                                                        \
        text, int(sizeof(text)) - 1                                                                          \
    }

const Mark kPrograms[] = {
    MARK("MZ"),
    MARK("ZM"), // Windows and DOS
    MARK("\x7f"
         "ELF"), // Linux and other Unix
    MARK("\xfe\xed\xfa\xce"),
    MARK("\xfe\xed\xfa\xcf"), // Mach-O, big-endian
    MARK("\xce\xfa\xed\xfe"),
    MARK("\xcf\xfa\xed\xfe"), // Mach-O, little-endian
    MARK("\xca\xfe\xba\xbe"),
    MARK("\xca\xfe\xba\xbf"),      // universal Mach-O, Java class
    MARK("#!"),                    // scripts
    MARK("L\0\0\0\x01\x14\x02\0"), // Windows shortcut
    MARK("ITSF"),                  // compiled help, runs scripts
    MARK("REGEDIT4"),
    MARK("Windows Registry Editor"), // registry changes
};

// Text marks that may also come as UTF-16 with its byte-order mark, or further in.
const char* const kLauncherSections[] = {"[Desktop Entry]", "[InternetShortcut]"};

bool startsWith(const QByteArray& content, const Mark& mark)
{
    return content.startsWith(QByteArray::fromRawData(mark.bytes, mark.size));
}

// A UTF-16 little-endian text with its byte-order mark, as single bytes where it can be.
QByteArray narrowed(const QByteArray& content)
{
    if (!content.startsWith("\xff\xfe"))
        return content;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(content.constData() + 2),
                              (content.size() - 2) / 2)
        .toLatin1();
}

} // namespace

bool isProgram(const QByteArray& content)
{
    const QByteArray text = narrowed(content.left(8192));
    for (const Mark& mark : kPrograms) {
        if (startsWith(content, mark) || startsWith(text, mark))
            return true;
    }
    for (const char* section : kLauncherSections) {
        if (text.contains(section))
            return true;
    }
    return false;
}

QString pictureExtension(const QByteArray& content)
{
    if (content.startsWith("\xff\xd8\xff"))
        return QStringLiteral("jpg");
    if (content.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("png");
    if (content.startsWith("GIF87a") || content.startsWith("GIF89a"))
        return QStringLiteral("gif");
    if (content.startsWith("BM") && content.size() >= 14)
        return QStringLiteral("bmp");
    if (content.startsWith(QByteArray("II*\0", 4)) || content.startsWith(QByteArray("MM\0*", 4)))
        return QStringLiteral("tif");
    if (content.startsWith("RIFF") && content.mid(8, 4) == "WEBP")
        return QStringLiteral("webp");
    return QString();
}

} // namespace StoredFileContent
