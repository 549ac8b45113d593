#include "ProductRecord.h"

#include "ForwardResult.h"

ProductRecord ProductRecord::firstRowOf(const ForwardResult& result)
{
    ProductRecord record;
    record.m_open = result.isOpen();
    if (result.eof())
        return record;
    record.m_names = result.fieldNames();
    for (int i = 0; i < record.m_names.size(); ++i)
        record.m_values.append(result.field(i));
    return record;
}

QVariant ProductRecord::field(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return m_values.at(i);
    }
    return QVariant();
}
