#pragma once

#include <QString>
#include <QVariant>

// Writes a stored photo or attachment to its preview file in the folder given, the program's
// directory ("ArquivoTemporárioDePrévia.<ext>" or "AnexoTemporárioDePrévia.<ext>"), replacing the
// previous one, so that the desktop can open it with its own viewer. Returns the file's
// full path, or empty text when the value is null, its extension is not a plain name or is
// one the desktop would run rather than show, or the file cannot be written.
QString WritePhotoPreview(const QString& folder, const QVariant& value);
QString WriteAttachmentPreview(const QString& folder, const QVariant& value);
