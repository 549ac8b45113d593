#pragma once

#include "AccessCopyUse.h"
#include "BoxList.h"
#include "CachedList.h"
#include "CatalogueLists.h"
#include "CatalogueSource.h"
#include "Connection.h"
#include "EntryIndex.h"
#include "Job.h"
#include "ListForm.h"
#include "ListQuery.h"
#include "ManufacturerReferences.h"
#include "Offers.h"
#include "OpeningFailure.h"
#include "WorkPool.h"

#include <QString>
#include <QVariant>

#include <array>
#include <map>
#include <memory>

class AccessConversion;

// What one opening of the catalogue holds: its connection, the lists read then (which the
// filters replace as the user narrows them), everything made from those lists for the windows
// (entries, offers, match indexes), and the work that makes them beside the window thread.
// OpenCatalogue makes a new one and replaces the old whole: the old one's work is cancelled
// and waited for, and then its connection closes. Used from the window thread only; its jobs
// hold what they read.
class Catalogue : public CatalogueLists
{
public:
    Catalogue();
    // A catalogue about to be opened in the place of `previous`: its lists and texts keep the
    // previous values until they are read anew, and the entries and offers already made for
    // them are kept.
    static std::unique_ptr<Catalogue> after(const Catalogue& previous);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    Connection Conn;
    // Conn for a query; the caller has waited for a conversion still running (waitForCopy()).
    const Connection* connection() const { return &Conn; }
    // Opens Conn, and on the same file a second connection for work apart (workApart) and a
    // third for reading ahead; false when Conn does not open.
    bool openConnections(const QString& sqlitePath);
    // Starts reading each manufacturer's references ahead, once the opening's own reading is done.
    void readManufacturersAhead();
    const ManufacturerReferences& manufacturerReferences() const { return m_manufacturerReferences; }
    // Work given the second connection, in a job of the pool, beside what the window thread
    // reads on Conn meanwhile. The connection runs one job at a time (it is opened without
    // SQLite's own locking): the job it still runs is taken here before the next starts. Without a
    // second connection the work is done here, on Conn.
    template <typename Work>
    auto workApart(Work work) -> Job<decltype(work(std::declval<const Connection*>()))>
    {
        if (!m_apart.isOpen())
            return Job<decltype(work(&Conn))>(QtFuture::makeReadyFuture(work(&Conn)));
        m_apartJob.wait();
        auto job = m_work.start([apart = &m_apart, work] { return work(apart); });
        m_apartJob = job.done();
        return job;
    }

    // How far this opening has come. It changes in one place (setOpened(), setFailed()); the
    // design's DatabaseOpened and Failure are views of it.
    enum class State
    {
        NotOpened,
        OnLists, // open on the lists of a conversion that still runs; its copy opens at its end
        Open,
        Failed, // Failure says which file and why
    };
    State state() const { return m_state; }
    const bool& DatabaseOpened = m_databaseOpened;
    const OpeningFailure& Failure = m_failure;
    // An opening of the catalogue at `path` begins: a failure names that file.
    void begin(const QString& path);
    void setOpened(State how = State::Open);
    // The opening failed; its work ends and its connections close.
    void fail(OpeningFailure::Reason reason, const QString& found = QString(),
              const EngineError& engine = EngineError());

    // The one wait for a first conversion, which every handler makes before it asks the
    // catalogue anything: windows painted meanwhile (ImportWait). False when the conversion failed:
    // the failure is told to the user, and a search has nothing to look in.
    bool waitForCopy();
    // The configured file as it stood when this opening began (for an Access catalogue, the
    // Access file itself): while the path still names it unchanged, answers come from it.
    CatalogueSource Source;
    // Counts the openings of the process: a catalogue opened later has a greater number.
    quint64 opening() const { return m_opening; }
    // Queries of the windows' work that could not run, on Conn or apart, and the engine's reason
    // of the last one.
    int readFailures() const { return Conn.failures() + m_apart.failures(); }
    EngineError lastReadFailure() const;

    WorkPool& work() { return m_work; }
    // Ends the work and closes the connection of a catalogue that failed to open.
    void close();
    // Takes on a conversion whose lists this catalogue opened on: its connection opens on the
    // copy once the conversion has ended.
    void continueConversion(std::unique_ptr<AccessConversion> conversion);
    // Keeps a converted copy in the cache while this catalogue reads it.
    void holdCopy(AccessCopyUse use) { m_copyInUse = std::move(use); }

    // The entries of a list of that kind, made now unless made already.
    CachedList::Entries entries(const CachedList& list, ListKind kind);
    // Starts making them beside the caller when the list is long.
    void prepareEntries(const CachedList& list, ListKind kind);
    // What a box of that kind shows of a list: its entries and offers.
    BoxList boxList(const CachedList& list, ListKind kind);
    // The offers of a box showing these entries; none for a box that offers nothing. Made once
    // for each list and shared while any box holds them; a long list's are made on the pool.
    std::shared_ptr<const Offers> offers(const BoxEntries& entries, OfferMatch match);
    // Memory held by the offers alive, in bytes.
    qsizetype offersBytes() const;

    // The indexes that find the entries a whole typed text names, in the order of their table.
    enum class Match
    {
        Manufacturers,
        CompetitorReferences,
        CompetitorReferencesAside,
        HouseReferencesAside,
        ManufacturersAccentsAside,
        FamiliesAccentsAside,
        CompetitorReferencesAccentsAside,
    };
    // Made when first asked for, and made again when its list has changed.
    const EntryIndex& matchIndex(Match which);

private:
    using OfferKey = std::pair<const void*, OfferMatch>;
    struct KeptOffers
    {
        BoxEntries entries;
        std::weak_ptr<const Offers> offers;
    };

    std::map<OfferKey, KeptOffers> m_offers;
    std::array<std::shared_ptr<const EntryIndex>, 7> m_matchIndexes;
    quint64 m_opening = 0;
    State m_state = State::NotOpened;
    bool m_databaseOpened = false;
    OpeningFailure m_failure;
    void conversionEnded();
    // The state of a failure, the connections left as they are.
    void setFailed(OpeningFailure::Reason reason, const QString& found,
                   const EngineError& engine = EngineError());

    // Given up only once the connections are closed.
    AccessCopyUse m_copyInUse;
    std::unique_ptr<AccessConversion> m_conversion;
    // Jobs of m_work hold raw pointers to the two connections below (workApart's job, the
    // read-ahead's state) and to m_work itself. They stay valid because m_work is declared last
    // and so destroyed first, cancelling and waiting for every job, and because close() ends
    // m_work before it closes a connection.
    // The connection of workApart, and the job it runs or ran last.
    Connection m_apart;
    Job<void> m_apartJob;
    Connection m_readAhead;
    ManufacturerReferences m_manufacturerReferences;
    WorkPool m_work;
};
