#include "OfferRun.h"

#include "BenchQueries.h"
#include "Median.h"
#include "PlainOffers.h"
#include "ProgramDriver.h"
#include "SearchWindowFixture.h"
#include "catalogue/lists/ReferenceOffers.h"
#include "catalogue/opened/Module1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using Kind = Measurement::Kind;
using PlainScan = std::function<std::vector<qsizetype>(const CachedList::Texts&, QStringView, int)>;

// A reference as a caller reads it out: lower case, a blank wherever a separator stands.
QString spoken(const QString& reference)
{
    QString text = reference.toLower();
    for (QChar& c : text) {
        if (c == u'-' || c == u'.' || c == u'/' || c == u'_')
            c = u' ';
    }
    return text;
}

QStringList shownOffers(ComboBox* box)
{
    QStringList shown;
    auto* list = box->window()->findChild<QListView*>(box->objectName() + QStringLiteral("Offers"));
    if (!list || !list->isVisible())
        return shown;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        shown.append(list->model()->index(row, 0).data().toString());
    return shown;
}

QStringList texts(const CachedList::Texts& entries, const std::vector<qsizetype>& places)
{
    QStringList out;
    for (const qsizetype place : places)
        out.append(entries.at(place).toString());
    return out;
}

// Types each text into the box a key at a time, `runs` times over, and gives the slowest
// keystroke (by its median), the plain scan's slowest for the same texts, and whether every
// keystroke offered what the plain scan finds.
Measurement typing(const QString& operation, Form2* window, const char* boxName,
                   const CachedList::Entries& entries, const QStringList& session, const PlainScan& plain,
                   int runs)
{
    ComboBox* box = ProgramDriver::combo(window, boxName);
    double slowest = 0;
    double plainSlowest = 0;
    bool same = true;
    for (const QString& text : session) {
        std::vector<std::vector<double>> times(size_t(text.size()));
        for (int run = 0; run < runs; ++run) {
            box->setEditText(QString());
            for (qsizetype k = 0; k < text.size(); ++k) {
                QElapsedTimer clock;
                clock.start();
                typeText(box, text.mid(k, 1));
                QCoreApplication::processEvents();
                times[size_t(k)].push_back(double(clock.nsecsElapsed()) / 1e6);
                if (run == 0 && k >= 1) {
                    const QString typed = text.left(k + 1);
                    const QStringList expected =
                        texts(*entries, plain(*entries, typed, ComboBox::MostOffers));
                    if (shownOffers(box) != expected) {
                        std::fprintf(stderr, "offers differ from the plain scan for \"%s\"\n",
                                     qPrintable(typed));
                        same = false;
                    }
                }
            }
        }
        for (qsizetype k = 0; k < text.size(); ++k) {
            slowest = std::max(slowest, medianOf(times[size_t(k)]));
            if (k >= 1) {
                const QString typed = text.left(k + 1);
                plainSlowest = std::max(plainSlowest,
                                        medianMs(3, [&] { plain(*entries, typed, ComboBox::MostOffers); }));
            }
        }
    }
    box->setEditText(QString());
    Measurement m;
    m.operation = operation;
    m.kind = Kind::Keystroke;
    m.programMs = slowest;
    m.bareMs = plainSlowest;
    m.correct = same;
    return m;
}

// Typed texts of a session: references as printed and as read out, short beginnings with
// and without separators.
QStringList referenceSession(const CachedList::Texts& entries, const QString& known)
{
    QStringList session{spoken(known), known};
    if (entries.size() > 0) {
        session.append(entries.at(entries.size() / 3).toString());
        session.append(spoken(entries.at(2 * entries.size() / 3).toString()));
        const QString first = entries.at(entries.size() / 2).toString();
        session.append(spoken(first.left(4)));
        session.append(first.left(2));
    }
    return session;
}

} // namespace

namespace OfferRun {

QList<Measurement> measure(Form2* window, int runs)
{
    QList<Measurement> found;
    const auto add = [&](const Measurement& m) {
        found.append(m);
        std::fprintf(stderr, "  %-28s %9.2f ms (plain scan %.2f ms)\n", qPrintable(m.operation), m.programMs,
                     m.bareMs);
    };
    const CachedList::Entries competitor =
        Module1::Opened().RefRows.entries(EntryRule::TrimmedAndScrambled, true);
    const CachedList::Entries house = Module1::Opened().HouseRefRows.entries(EntryRule::AsStored, true);
    const CachedList::Entries descriptions = Module1::Opened().DescRows.entries(EntryRule::Trimmed, true);

    // Made once for each list; every window showing the list shares them.
    const int heavy = std::max(3, runs / 2);
    for (const auto& [name, entries] :
         {std::make_pair(QStringLiteral("offer index, competitor references"), competitor),
          std::make_pair(QStringLiteral("offer index, house references"), house)}) {
        Measurement m;
        m.operation = name;
        m.programMs = medianMs(heavy, [&] { ReferenceOffers made(entries); });
        add(m);
    }

    add(typing(QStringLiteral("offers, competitor reference"), window, "comReferences", competitor,
               referenceSession(*competitor, BenchQueries::CompetitorReference), PlainOffers::references,
               runs));
    add(typing(QStringLiteral("offers, house reference"), window, "CbxRef", house,
               referenceSession(*house, BenchQueries::HouseReference), PlainOffers::references, runs));
    add(typing(QStringLiteral("offers, description"), window, "CbxDesc", descriptions,
               {QStringLiteral("disj"), QStringLiteral("20 disjuntor"), QStringLiteral("tripolar 32 a"),
                QStringLiteral("a relé")},
               PlainOffers::words, runs));
    return found;
}

} // namespace OfferRun
