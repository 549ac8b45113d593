#include "ManufacturerReferences.h"

#include "CatalogueSql.h"
#include "Connection.h"
#include "HouseBrands.h"
#include "ListQuery.h"
#include "NocaseText.h"
#include "SqliteStatement.h"

#include <QMutex>
#include <QWaitCondition>

#include <unordered_map>

struct ManufacturerReferences::State
{
    // Not owned: the catalogue that holds both ends its pool, cancelling and waiting for every
    // job, before it closes the connection and before the pool itself goes (Catalogue's members).
    WorkPool* pool = nullptr;
    const Connection* conn = nullptr;
    CancelFlag cancel;
    // Known to the first job, then only read: the competitors to read, in the index's order.
    QStringList competitors;

    mutable QMutex lock;
    QWaitCondition ended;
    bool hasEnded = false;
    // Every manufacturer of the catalogue, one stored form of each group of forms that NOCASE
    // holds equal, with its rows once read; a house brand's are never read.
    std::unordered_map<QByteArray, std::optional<CachedList>, NocaseText::Hash, NocaseText::Equal> groups;
};

namespace {

using State = std::shared_ptr<ManufacturerReferences::State>;

void end(const State& state)
{
    QMutexLocker locker(&state->lock);
    state->hasEnded = true;
    state->ended.wakeAll();
}

// The first of each group of manufacturers, as the manufacturer index gives them; none when a
// value is not text, which the filter's text values never find and the groups would not tell.
std::optional<QList<QByteArray>> readManufacturers(const Connection* conn)
{
    SqliteStatement statement(conn->handle(),
                              CatalogueSql::Makers +
                                  QStringLiteral("SELECT COMPANY FROM makers WHERE COMPANY IS NOT NULL"));
    QList<QByteArray> manufacturers;
    SqliteStatement::Step step = statement.step();
    for (; step == SqliteStatement::Step::Row; step = statement.step()) {
        if (statement.type(0) != SqliteStatement::Type::Text)
            return std::nullopt;
        manufacturers.append(statement.utf8(0).toByteArray());
    }
    if (step != SqliteStatement::Step::Done)
        return std::nullopt;
    return manufacturers;
}

// Reads the competitor at `index`, then queues the next behind whatever the windows started
// meanwhile.
void readCompetitor(const State& state, qsizetype index)
{
    if (index == state->competitors.size() || isCancelled(state->cancel))
        return end(state);
    const QString competitor = state->competitors[index];
    const ListQuery read =
        ListQuery::run(state->conn, CatalogueSql::ReferencesOfCompetitor, {competitor}, state->cancel);
    if (read.ok) {
        QMutexLocker locker(&state->lock);
        state->groups[competitor.toUtf8()] = read.rows;
    }
    state->pool->start([state, index] { readCompetitor(state, index + 1); });
}

void readGroups(const State& state)
{
    const std::optional<QList<QByteArray>> manufacturers =
        isCancelled(state->cancel) ? std::nullopt : readManufacturers(state->conn);
    if (!manufacturers)
        return end(state);
    {
        QMutexLocker locker(&state->lock);
        for (const QByteArray& manufacturer : *manufacturers)
            state->groups.emplace(manufacturer, std::nullopt);
    }
    for (const QByteArray& manufacturer : *manufacturers) {
        const QString stored = QString::fromUtf8(manufacturer);
        if (!HouseBrands::isHouseBrand(stored))
            state->competitors.append(stored);
    }
    state->pool->start([state] { readCompetitor(state, 0); });
}

} // namespace

ManufacturerReferences::ManufacturerReferences() = default;
ManufacturerReferences::~ManufacturerReferences() = default;

void ManufacturerReferences::readAhead(WorkPool& pool, const Connection* conn)
{
    // Once: a second reader would share the connection.
    if (m_state)
        return;
    auto state = std::make_shared<State>();
    state->pool = &pool;
    state->conn = conn;
    state->cancel = pool.cancelFlag();
    m_state = state;
    if (!conn->isOpen())
        return end(state);
    pool.start([state] { readGroups(state); });
}

std::optional<CachedList> ManufacturerReferences::readAlready(const QStringList& competitors) const
{
    if (!m_state)
        return std::nullopt;
    QMutexLocker locker(&m_state->lock);
    const std::optional<CachedList>* named = nullptr;
    for (const QString& competitor : competitors) {
        const auto group = m_state->groups.find(competitor.toUtf8());
        if (group == m_state->groups.end())
            continue;
        // Two named: the engine's order across them is its own.
        if (named)
            return std::nullopt;
        named = &group->second;
    }
    return named ? *named : std::nullopt;
}

void ManufacturerReferences::waitUntilRead() const
{
    if (!m_state)
        return;
    QMutexLocker locker(&m_state->lock);
    while (!m_state->hasEnded)
        m_state->ended.wait(&m_state->lock);
}
