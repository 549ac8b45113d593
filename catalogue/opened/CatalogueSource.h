#pragma once

#include <QString>

#include <cstdint>

// The catalogue file as the file system tells it, without reading it: which file stands at the
// path (device and file number), its size and its times. A file renamed over the path, copied
// over it in place, cut or deleted gives another state, so a state kept from an opening tells
// whether the path still names the file that was opened, unchanged. One stat() call.
class CatalogueSource
{
public:
    // A path that names nothing.
    CatalogueSource() = default;
    static CatalogueSource of(const QString& path);

    bool exists() const { return m_exists; }
    // When it was last written, in milliseconds since the epoch.
    std::int64_t modifiedMs() const { return m_modified / 1000000; }
    bool operator==(const CatalogueSource& other) const;
    bool operator!=(const CatalogueSource& other) const { return !(*this == other); }

private:
    bool m_exists = false;
    std::uint64_t m_device = 0;
    std::uint64_t m_file = 0;
    std::int64_t m_size = 0;
    // Nanoseconds: a copy made within one second still shows.
    std::int64_t m_modified = 0;
    std::int64_t m_changed = 0;
};
