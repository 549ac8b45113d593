#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>

class Jet4AgileEncryption;

// The file being written, page by page. Pages are numbered as they are allocated and may be
// written in any order; in an encoded database every page but the first is RC4-encoded with
// the database key combined with the page number; in an encrypted ACE file every page passes
// through the file's encryption on its way out.
class Jet4PageFile
{
public:
    Jet4PageFile(const QString& path, std::uint32_t encodingKey,
                 std::shared_ptr<const Jet4AgileEncryption> encryption = nullptr);

    bool open();
    std::uint32_t allocate();
    std::uint32_t pageCount() const { return m_pageCount; }
    bool write(std::uint32_t page, QByteArray content);
    bool close();
    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    std::uint32_t m_encodingKey;
    std::shared_ptr<const Jet4AgileEncryption> m_encryption;
    std::uint32_t m_pageCount = 0;
};
