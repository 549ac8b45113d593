#include "PendingOffers.h"

#include "catalogue/BackgroundWork.h"

PendingOffers::PendingOffers(std::function<std::shared_ptr<const Offers>()> make)
    : m_made(startInBackground(std::move(make)))
{
}

std::vector<qsizetype> PendingOffers::find(QStringView typed, int most) const
{
    return m_made.get()->find(typed, most);
}

qsizetype PendingOffers::bytes() const
{
    return m_made.get()->bytes();
}
