#pragma once

#include <QString>

#include <functional>
#include <optional>

// The one-line configuration file beside the program, or in the user's configuration folder
// where the program's folder takes no file: the catalogue's path, in the desktop's single-byte
// character set (Windows-1252), written without a line end.
namespace ConfigurationFile {

// <program directory>/<program name>.cfg
QString path();
// <the user's configuration folder>/<program name>.cfg (~/.config/lumeo/lumeo.cfg on Linux);
// empty when the system names no such folder.
QString userPath();
// <program directory>/<program name>.kvl
QString defaultDatabasePath();

// The first line, character for character (it ends at CR LF, LF or CR). Nothing when the
// file cannot be read or holds no line at all, and then `error` says why.
std::optional<QString> readFirstLine(const QString& filePath, QString* error = nullptr);

// Whether the folder takes no new file for lack of permission or on a read-only disk (not for
// a missing folder or a full disk, which are faults to report); `why` then gives the system's
// reason.
bool folderTakesNoFile(const QString& folder, QString* why = nullptr);

// The characters of the text that the file cannot hold, each once, in the order they first
// appear: those its character set lacks, and the line breaks that would end the line early.
// Empty when the whole text can be stored.
QString unstorableCharacters(const QString& text);

// Replaces the file's content with the text alone. The new content is written beside the
// file and then put in its place, so a failure never leaves a truncated file; on failure
// `error` says why and the old file is untouched. Where the folder refuses a new file for
// lack of permission but the file itself may be changed, the file is rewritten in place so
// that, wherever the save fails or stops, the first line is the old text or the new one.
// A text the file cannot hold is refused rather than saved altered.
bool write(const QString& filePath, const QString& text, QString* error = nullptr);

// The steps of the save in place, in order. A test may stop the save before any of them,
// as if the program were killed there, or make the step fail as a full disk would.
enum class InPlaceStep
{
    Read,
    EndOldLine,
    Reserve,
    WriteNew,
    SyncNew,
    Cut,
    SyncCut
};
enum class StepOutcome
{
    Proceed,
    Stop,
    Fail
};
// Asked before every step of the next saves in place; an empty hook leaves them alone.
void setInPlaceHook(std::function<StepOutcome(InPlaceStep)> hook);

} // namespace ConfigurationFile
