#include "AlphabeticalOrder.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace AlphabeticalOrder {

QString sortKey(const QString& text)
{
    bool plain = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain)
        return text.toLower();

    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            key.append(c);
    }
    return key.toCaseFolded();
}

void sort(QStringList& texts)
{
    const qsizetype count = texts.size();
    std::vector<QString> keys;
    keys.reserve(size_t(count));
    for (const QString& text : std::as_const(texts))
        keys.push_back(sortKey(text));

    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = QString::compare(keys[size_t(a)], keys[size_t(b)]);
        if (byKey != 0)
            return byKey < 0;
        const int exact = QString::compare(texts.at(a), texts.at(b));
        return exact != 0 ? exact < 0 : a < b;
    });

    QStringList sorted;
    sorted.reserve(count);
    for (const qsizetype i : order)
        sorted.append(texts.at(i));
    texts = std::move(sorted);
}

} // namespace AlphabeticalOrder
