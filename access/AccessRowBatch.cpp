#include "AccessRowBatch.h"

namespace {

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD, as Qt's own conversion does.
char* encodeUtf8(const QString& text, char* out)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (c >= 0xd800 && c < 0xdc00 && p < end && *p >= 0xdc00 && *p < 0xe000)
            c = 0x10000 + ((c - 0xd800) << 10) + (*p++ - 0xdc00);
        else if (c >= 0xd800 && c < 0xe000)
            c = 0xfffd;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xc0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            *out++ = char(0xe0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        } else {
            *out++ = char(0xf0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3f));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        }
    }
    return out;
}

} // namespace

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
    // Room for the worst case, three bytes a UTF-16 unit; the unused tail is cut off again.
    m_bytes.resize(value.offset + text.size() * 3);
    char* end = encodeUtf8(text, m_bytes.data() + value.offset);
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
