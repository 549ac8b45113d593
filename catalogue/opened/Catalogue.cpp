#include "Catalogue.h"

#include "AccessConversion.h"
#include "ImportWait.h"
#include "MakeOffers.h"
#include "PendingOffers.h"

#include <iterator>

namespace {

// Shorter lists take about as long to make entries or offers for (a fraction of a millisecond)
// as a job takes to start and be waited for.
constexpr qsizetype kMadeApart = 4096;

} // namespace

Catalogue::Catalogue() = default;

std::unique_ptr<Catalogue> Catalogue::after(const Catalogue& previous)
{
    auto next = std::make_unique<Catalogue>();
    next->m_opening = previous.m_opening + 1;
    static_cast<CatalogueLists&>(*next) = previous;
    // Offers still being made on the previous pool are made by whoever needs them first; an index
    // whose list is read anew unchanged serves on.
    next->m_offers = previous.m_offers;
    next->m_matchIndexes = previous.m_matchIndexes;
    return next;
}

Catalogue::~Catalogue()
{
    close();
}

void Catalogue::begin(const QString& path)
{
    m_failure = OpeningFailure();
    m_failure.path = path;
    // Taken before the file is opened: a file replaced meanwhile differs from it, and the next
    // check opens it again.
    Source = CatalogueSource::of(path);
}

void Catalogue::setOpened(State how)
{
    m_state = how;
    m_databaseOpened = true;
    m_failure.reason = OpeningFailure::Reason::None;
    m_failure.found.clear();
    m_failure.engine = EngineError();
}

void Catalogue::setFailed(OpeningFailure::Reason reason, const QString& found, const EngineError& engine)
{
    m_state = State::Failed;
    m_databaseOpened = false;
    m_failure.reason = reason;
    m_failure.found = found;
    m_failure.engine = engine;
}

void Catalogue::fail(OpeningFailure::Reason reason, const QString& found, const EngineError& engine)
{
    setFailed(reason, found, engine);
    close();
}

void Catalogue::close()
{
    m_work.cancelAndWait();
    // An unfinished conversion stops, and what it wrote goes.
    m_conversion.reset();
    m_apart.close();
    m_readAhead.close();
    Conn.close();
    m_copyInUse.release();
}

EngineError Catalogue::lastReadFailure() const
{
    const EngineError onConn = Conn.lastFailure();
    return onConn.isEmpty() ? m_apart.lastFailure() : onConn;
}

bool Catalogue::openConnections(const QString& sqlitePath)
{
    if (!Conn.open(sqlitePath))
        return false;
    m_apart.open(sqlitePath);
    m_readAhead.open(sqlitePath);
    return true;
}

void Catalogue::readManufacturersAhead()
{
    m_manufacturerReferences.readAhead(m_work, &m_readAhead);
}

bool Catalogue::waitForCopy()
{
    if (!m_conversion)
        return true;
    if (!m_conversion->hasEnded())
        m_conversion->waitForEnd();
    return m_conversion->succeeded() && Conn.isOpen();
}

void Catalogue::continueConversion(std::unique_ptr<AccessConversion> conversion)
{
    m_conversion = std::move(conversion);
    QObject::connect(m_conversion.get(), &AccessConversion::ended, m_conversion.get(),
                     [this] { conversionEnded(); });
    if (m_conversion->hasEnded())
        conversionEnded();
}

void Catalogue::conversionEnded()
{
    if (m_conversion->succeeded() && openConnections(m_conversion->copyPath())) {
        setOpened();
        readManufacturersAhead();
        return;
    }
    // The conversion that ends here is not destroyed from within its own signal: what it holds
    // goes with the catalogue.
    if (m_conversion->succeeded())
        setFailed(OpeningFailure::Reason::Damaged, QString(), Conn.lastError());
    else
        setFailed(OpeningFailure::Reason::NotConverted, m_conversion->failure());
    // Told once whatever waited for the end has had its turn.
    QMetaObject::invokeMethod(
        m_conversion.get(), [failure = m_failure] { ImportWait::reportFailedAfterOpening(failure); },
        Qt::QueuedConnection);
}

CachedList::Entries Catalogue::entries(const CachedList& list, ListKind kind)
{
    const ListForm form = formOf(kind);
    return list.entries(form.rule, form.sorted);
}

void Catalogue::prepareEntries(const CachedList& list, ListKind kind)
{
    const ListForm form = formOf(kind);
    if (list.entriesUnderWay(form.rule, form.sorted))
        return;
    if (list.size() < kMadeApart) {
        entries(list, kind);
        return;
    }
    m_work.start(
        [list, form, cancel = m_work.cancelFlag()] { list.entries(form.rule, form.sorted, cancel); });
}

BoxList Catalogue::boxList(const CachedList& list, ListKind kind)
{
    const ListForm form = formOf(kind);
    prepareEntries(list, kind);
    BoxList box;
    box.entries = BoxEntries(list, form.rule, form.sorted);
    box.match = form.offers;
    box.offers = offers(box.entries, box.match);
    return box;
}

std::shared_ptr<const Offers> Catalogue::offers(const BoxEntries& entries, OfferMatch match)
{
    if (entries.isNull() || match == OfferMatch::None)
        return nullptr;
    for (auto it = m_offers.begin(); it != m_offers.end();)
        it = it->second.offers.expired() ? m_offers.erase(it) : std::next(it);
    // The slot keeps the entries' list alive while their offers live, so a key in use is never
    // the identity of other entries.
    KeptOffers& slot = m_offers[OfferKey(entries.identity(), match)];
    if (std::shared_ptr<const Offers> alive = slot.offers.lock())
        return alive;
    std::shared_ptr<const Offers> made = entries.size() < kMadeApart
                                             ? makeOffers(entries.get(), match)
                                             : std::make_shared<const PendingOffers>(entries, match, m_work);
    slot = KeptOffers{entries, made};
    return made;
}

qsizetype Catalogue::offersBytes() const
{
    qsizetype total = 0;
    for (const auto& kept : m_offers) {
        if (const std::shared_ptr<const Offers> alive = kept.second.offers.lock())
            total += alive->bytes();
    }
    return total;
}

const EntryIndex& Catalogue::matchIndex(Match which)
{
    // Each index: the list it is made over, as the box of that kind shows it, and its key.
    struct Made
    {
        CachedList Catalogue::*list;
        ListKind kind;
        EntryIndex::Key key;
    };
    static constexpr Made kMade[] = {
        {&Catalogue::OpenedCompRows, ListKind::Manufacturers, EntryIndex::Key::LetterCase},
        {&Catalogue::OpenedRefRows, ListKind::CompetitorReferences, EntryIndex::Key::LetterCase},
        {&Catalogue::OpenedRefRows, ListKind::CompetitorReferences, EntryIndex::Key::LetterCaseAndSeparators},
        {&Catalogue::HouseRefRows, ListKind::HouseReferences, EntryIndex::Key::LetterCaseAndSeparators},
        {&Catalogue::OpenedCompRows, ListKind::Manufacturers, EntryIndex::Key::LetterCaseAndAccents},
        {&Catalogue::OpenedFamRows, ListKind::Families, EntryIndex::Key::LetterCaseAndAccents},
        {&Catalogue::OpenedRefRows, ListKind::CompetitorReferences, EntryIndex::Key::Everything},
    };
    static_assert(std::size(kMade) == std::tuple_size_v<decltype(m_matchIndexes)>);
    const Made& made = kMade[size_t(which)];
    const CachedList::Entries listed = entries(this->*made.list, made.kind);
    std::shared_ptr<const EntryIndex>& slot = m_matchIndexes[size_t(which)];
    if (!slot || slot->entries() != listed)
        slot = std::make_shared<const EntryIndex>(listed, made.key);
    return *slot;
}
