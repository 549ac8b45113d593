#pragma once

#include <QString>
#include <QVariant>

// Writes a stored photo or attachment to its preview file ("ArquivoTemporárioDePrévia.<ext>" or
// "AnexoTemporárioDePrévia.<ext>"), replacing the previous one, so that the desktop can open it
// with its own viewer. Returns the file's full path, or empty text when the value is null, its
// extension is not a plain name or is one the desktop would run rather than show, or the file
// cannot be written.
//
// In the program's directory, the first choice; when the file cannot be written there, under
// the same name in the user's own preview folder (UserPreviewFolder). A value refused for what
// it holds is written nowhere.
QString WritePhotoPreview(const QVariant& value);
QString WriteAttachmentPreview(const QVariant& value);

// The same in the one folder given.
QString WritePhotoPreview(const QString& folder, const QVariant& value);
QString WriteAttachmentPreview(const QString& folder, const QVariant& value);
