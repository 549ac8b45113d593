#include "PlainOffers.h"

#include <QString>

namespace {

bool separator(QChar c)
{
    return c == u' ' || c == u'-' || c == u'.' || c == u'/' || c == u'_' || c == u'\'';
}

QString withoutSeparators(QStringView text)
{
    QString kept;
    for (const QChar c : text) {
        if (!separator(c))
            kept.append(c);
    }
    return kept;
}

// Case folded and the accents left out: the text decomposed, without its combining marks.
QString plainKey(QStringView text)
{
    QString kept;
    for (const QChar c : text.toString().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            kept.append(c);
    }
    return kept.toCaseFolded();
}

} // namespace

namespace PlainOffers {

std::vector<qsizetype> references(const CachedList::Texts& entries, QStringView typed, int most)
{
    const QString wanted = plainKey(withoutSeparators(typed));
    const QString asTyped = typed.toString().toCaseFolded();
    std::vector<qsizetype> first;
    std::vector<qsizetype> others;
    if (wanted.isEmpty())
        return first;
    for (qsizetype place = 0; place < entries.size() && first.size() < size_t(most); ++place) {
        const QStringView text = entries.at(place);
        if (!plainKey(withoutSeparators(text)).startsWith(wanted))
            continue;
        if (text.toString().toCaseFolded().startsWith(asTyped))
            first.push_back(place);
        else if (others.size() < size_t(most))
            others.push_back(place);
    }
    for (const qsizetype place : others) {
        if (first.size() >= size_t(most))
            break;
        first.push_back(place);
    }
    return first;
}

std::vector<qsizetype> words(const CachedList::Texts& entries, QStringView typed, int most)
{
    const QString typedKey = plainKey(typed);
    const QList<QStringView> wanted = QStringView(typedKey).split(u' ', Qt::SkipEmptyParts);
    std::vector<qsizetype> found;
    if (wanted.isEmpty())
        return found;
    for (qsizetype place = 0; place < entries.size() && found.size() < size_t(most); ++place) {
        const QString text = plainKey(entries.at(place));
        bool all = true;
        for (const QStringView word : wanted)
            all = all && text.contains(word, Qt::CaseInsensitive);
        if (all)
            found.push_back(place);
    }
    return found;
}

} // namespace PlainOffers
