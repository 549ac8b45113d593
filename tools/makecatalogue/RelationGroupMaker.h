#pragma once

#include "HouseProduct.h"
#include "ReferenceNumbering.h"
#include "RelationRow.h"

#include <QVector>

class SampleRandom;

// Invents the cross-reference table one equivalence group at a time: first a few fixed
// groups that demonstrations and tests rely on, then groups of one family holding competitor
// references and, in most groups, the house product they correspond to.
class RelationGroupMaker
{
public:
    RelationGroupMaker(SampleRandom& random, const QVector<HouseProduct>& products);

    QVector<RelationRow> nextGroup();
    int groupsMade() const { return m_groupsMade; }
    // Rows of the fixed groups; a catalogue needs at least this many cross-reference rows.
    static int fixedRowCount();

private:
    QVector<RelationRow> inventGroup();
    void addHouseRows(QVector<RelationRow>& rows, int familyIndex);
    void addCompetitorRows(QVector<RelationRow>& rows);
    QString houseReference(int familyIndex, const QString& other);
    QVariant maybeNotes(const QStringList& texts, double percent);

    SampleRandom& m_random;
    const QVector<HouseProduct>& m_products;
    QVector<QVector<int>> m_productsByFamily;
    QVector<ReferenceNumbering> m_numbering;
    QVector<QVector<RelationRow>> m_fixedGroups;
    int m_groupsMade = 0;
    int m_nextSet = 100;
    QString m_family;
    int m_set = 0;
    QString m_lastReference;
    QString m_lastCompany;
};
