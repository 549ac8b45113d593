#include "PendingOffers.h"

PendingOffers::PendingOffers(std::function<std::shared_ptr<const Offers>()> make) : m_made(std::move(make)) {}

std::vector<qsizetype> PendingOffers::find(QStringView typed, int most) const
{
    return m_made.take()->find(typed, most);
}

qsizetype PendingOffers::bytes() const
{
    return m_made.take()->bytes();
}
