#pragma once

#include "Offers.h"
#include "catalogue/BackgroundWork.h"

// Offers of a long list made on a thread of their own, so that the window shows its lists
// without waiting for them; the first keystroke that needs them waits for what is left.
class PendingOffers : public Offers
{
public:
    explicit PendingOffers(std::function<std::shared_ptr<const Offers>()> make);

    std::vector<qsizetype> find(QStringView typed, int most) const override;
    qsizetype bytes() const override;

private:
    BackgroundWork<std::shared_ptr<const Offers>> m_made;
};
