#include "StoredFileValue.h"

namespace {

constexpr int kExtensionLength = 30;

} // namespace

QByteArray StoredFileValue::make(const QByteArray& extension, const QByteArray& content)
{
    QByteArray value = extension.left(kExtensionLength).leftJustified(kExtensionLength, ' ');
    value += content;
    return value;
}
