#include "Jet4PageFile.h"

#include "Jet4AgileEncryption.h"
#include "Jet4Format.h"
#include "Jet4Rc4.h"

Jet4PageFile::Jet4PageFile(const QString& path, std::uint32_t encodingKey,
                           std::shared_ptr<const Jet4AgileEncryption> encryption)
    : m_file(path), m_encodingKey(encodingKey), m_encryption(std::move(encryption))
{
}

bool Jet4PageFile::open()
{
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

std::uint32_t Jet4PageFile::allocate()
{
    return m_pageCount++;
}

bool Jet4PageFile::write(std::uint32_t page, QByteArray content)
{
    content.resize(Jet4Format::kPageSize, '\0');
    if (page != 0 && m_encodingKey != 0 &&
        !Jet4Rc4::apply(m_encodingKey ^ page, content.data(), content.size()))
        return false;
    if (m_encryption && !m_encryption->apply(page, content.data()))
        return false;
    return m_file.seek(qint64(page) * Jet4Format::kPageSize) && m_file.write(content) == content.size();
}

bool Jet4PageFile::close()
{
    // Pages allocated but never written still take their place in the file.
    const bool sized = m_file.resize(qint64(m_pageCount) * Jet4Format::kPageSize);
    m_file.close();
    return sized && m_file.error() == QFileDevice::NoError;
}
