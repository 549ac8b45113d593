#include "CatalogueSource.h"

#include <QFile>

#include <sys/stat.h>

namespace {

std::int64_t nanoseconds(const timespec& time)
{
    return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

CatalogueSource CatalogueSource::of(const QString& path)
{
    CatalogueSource source;
    struct stat info = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return source;
    source.m_exists = true;
    source.m_device = std::uint64_t(info.st_dev);
    source.m_file = std::uint64_t(info.st_ino);
    source.m_size = std::int64_t(info.st_size);
    source.m_modified = nanoseconds(info.st_mtim);
    source.m_changed = nanoseconds(info.st_ctim);
    return source;
}

bool CatalogueSource::operator==(const CatalogueSource& other) const
{
    if (m_exists != other.m_exists)
        return false;
    return !m_exists || (m_device == other.m_device && m_file == other.m_file && m_size == other.m_size &&
                         m_modified == other.m_modified && m_changed == other.m_changed);
}
