#pragma once

#include "Jet4DataPage.h"

#include <QByteArray>
#include <memory>

class Jet4PageFile;

// Places memo and OLE values: short ones inside the row, others in rows of long-value pages,
// one row when the value fits a page and a chain of rows, each naming the next, when not.
class Jet4LongValueStore
{
public:
    explicit Jet4LongValueStore(Jet4PageFile& file);

    // The bytes to store in the row's variable part for the value: the 12-byte reference,
    // followed by the value itself when it is kept inside the row.
    QByteArray store(const QByteArray& value);
    bool flush();
    bool failed() const { return m_failed; }

private:
    std::uint32_t addToSharedPage(const QByteArray& row);

    Jet4PageFile& m_file;
    std::unique_ptr<Jet4DataPage> m_page;
    std::uint32_t m_pageNumber = 0;
    bool m_failed = false;
};
