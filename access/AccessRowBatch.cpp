#include "AccessRowBatch.h"

#include <QStringEncoder>

void AccessRowBatch::appendInteger(qint64 number)
{
    Value value;
    value.kind = Value::Kind::Integer;
    value.integer = number;
    m_values.push_back(value);
}

void AccessRowBatch::appendReal(double number)
{
    Value value;
    value.kind = Value::Kind::Real;
    value.real = number;
    m_values.push_back(value);
}

void AccessRowBatch::appendText(const QString& text)
{
    Value value;
    value.kind = Value::Kind::Text;
    value.offset = m_bytes.size();
    // Encoded in place into room for the worst case, then the unused tail is cut off again.
    // Each text on its own: a lone surrogate at its end becomes U+FFFD, not part of the next.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    m_bytes.resize(value.offset + encoder.requiredSpace(text.size()));
    char* end = encoder.appendToBuffer(m_bytes.data() + value.offset, text);
    value.size = end - (m_bytes.constData() + value.offset);
    m_bytes.resize(value.offset + value.size);
    m_values.push_back(value);
}

void AccessRowBatch::appendBlob(const QByteArray& bytes)
{
    Value value;
    value.kind = Value::Kind::Blob;
    value.offset = m_bytes.size();
    value.size = bytes.size();
    m_bytes.append(bytes);
    m_values.push_back(value);
}
