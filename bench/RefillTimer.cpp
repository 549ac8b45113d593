#include "RefillTimer.h"

#include "Median.h"
#include "catalogue/opened/Module1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/ComboLists.h"

#include <QVBoxLayout>
#include <QWidget>

RefillTimer::RefillTimer() : m_window(std::make_unique<QWidget>())
{
    auto* layout = new QVBoxLayout(m_window.get());
    for (int i = 0; i < 3; ++i) {
        auto* box = new ComboBox(m_window.get());
        layout->addWidget(box);
        m_boxes.append(box);
    }
    m_window->show();
}

RefillTimer::~RefillTimer() = default;

void RefillTimer::fill(ComboBox* box, ListKind kind, const CachedList& list)
{
    ComboLists::fill(box, Module1::Opened().boxList(list, kind));
}

double RefillTimer::medianMs(int runs, const QList<Refill>& refills)
{
    QList<CachedList> fresh;
    return ::medianMs(
        runs,
        [&] {
            fresh.clear();
            for (int i = 0; i < refills.size(); ++i) {
                fill(m_boxes[i], refills[i].kind, refills[i].before);
                fresh.append(CachedList(refills[i].texts, refills[i].nulls));
            }
        },
        [&] {
            for (int i = 0; i < refills.size(); ++i) {
                m_boxes[i]->clearEntries();
                fill(m_boxes[i], refills[i].kind, fresh[i]);
            }
        });
}
