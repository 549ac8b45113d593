#pragma once

#include "catalogue/lists/CachedList.h"
#include "catalogue/lists/ListForm.h"

#include <QList>

#include <memory>
#include <vector>

class ComboBox;
class QWidget;

// Times the program's own refill of drop-down lists from a result, as a filter does it: each
// box first holds what it held before, then is cleared and filled from a list just read,
// whose entries are not yet derived.
class RefillTimer
{
public:
    struct Refill
    {
        ListKind kind; // of the box refilled
        CachedList before;
        QStringList texts; // the result, as the engine gave it
        std::vector<bool> nulls;
    };

    RefillTimer();
    ~RefillTimer();

    double medianMs(int runs, const QList<Refill>& refills);

private:
    static void fill(ComboBox* box, ListKind kind, const CachedList& list);

    std::unique_ptr<QWidget> m_window;
    QList<ComboBox*> m_boxes;
};
