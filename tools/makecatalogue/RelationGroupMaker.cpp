#include "RelationGroupMaker.h"

#include "CompetitorList.h"
#include "FamilyList.h"
#include "SampleRandom.h"

#include <iterator>

namespace {

const QStringList& competitorNotes()
{
    static const QStringList texts = {
        QStringLiteral("Curva de disparo C; conferir a capacidade de interrupção."),
        QStringLiteral("Equivalente funcional; furação de fixação diferente."),
        QStringLiteral("Verificar a tensão da bobina antes da substituição."),
        QStringLiteral("Dimensões externas maiores: conferir o espaço no quadro."),
        QStringLiteral("Substituição direta, mesma fixação em trilho DIN."),
        QStringLiteral("Consultar a engenharia de aplicação para uso em 440 V."),
        QStringLiteral("Acessórios do fabricante original não são compatíveis."),
        QStringLiteral("Ajuste de corrente com faixa ligeiramente diferente."),
        QStringLiteral("Equivalência válida apenas para a versão bivolt."),
        QStringLiteral("Produto descontinuado pelo fabricante; usar a referência Korvel."),
        QStringLiteral("Contatos auxiliares vendidos à parte."),
        QStringLiteral("Cor e acabamento diferentes; função idêntica."),
    };
    return texts;
}

const QStringList& houseNotes()
{
    static const QStringList texts = {
        QStringLiteral("Referência Korvel com certificação INMETRO."),
        QStringLiteral("Disponível também em embalagem com 10 peças."),
        QStringLiteral("Acompanha manual de instalação em português."),
        QStringLiteral("Prazo reduzido para pedidos acima de 50 peças."),
        QStringLiteral("Garantia de 2 anos contra defeitos de fabricação."),
    };
    return texts;
}

struct FixedRow
{
    int set; // 0: null group number
    const char* family;
    const char* company;
    const char* reference;
    const char* notes;
};

// Each fixed group shows one path of the resolution of a competitor reference.
const FixedRow kFixedRows[] = {
    // Resolves to a "QV" product with photo and drawing; "VESTRAL (Ref. Antiga)" is a competitor.
    {1, "DJ", "QV", "KV-2104", "Referência Korvel com certificação INMETRO."},
    {1, "DJ", "ELETRAMAX", "EMX-DJ220", "Curva de disparo C; conferir a capacidade de interrupção."},
    {1, "DJ", "VOLTRIX", "VX-2P20C", nullptr},
    {1, "DJ", "Fortex Elétrica", "FT 2020/2", nullptr},
    {1, "DJ", "VESTRAL (Ref. Antiga)", "VA-21040", nullptr},
    // Only a "VESTRAL" row; its notes stand in for the competitor's missing ones.
    {2, "BA", "VESTRAL", "KV-6320", "Disponível também em embalagem com 10 peças."},
    {2, "BA", "SIGMA-TEC", "ST-BOIA-15", nullptr},
    // "QV" wins over "VESTRAL".
    {3, "BA", "VESTRAL", "KV-6320", nullptr},
    {3, "BA", "QV", "KV-6325", nullptr},
    {3, "BA", "Condumax", "CDX-NIVEL 25", "Equivalência válida apenas para a versão bivolt."},
    // No house row at all.
    {4, "CT", "PROTELIS", "PTL-CT09", nullptr},
    {4, "CT", "Amperis", "AMP 9A-220", nullptr},
    // A house reference that the house catalogue lacks.
    {5, "CT", "QV", "KV-4599-OBS", nullptr},
    {5, "CT", "VOLTRIX", "VX-CT32", nullptr},
    // Two "QV" rows; the first stored one is the equivalent.
    {6, "TM", "QV", "KV-3205", nullptr},
    {6, "TM", "QV", "KV-3201 BR", nullptr},
    {6, "TM", "Lumitra", "LU.3201.B", nullptr},
    // One reference text under two manufacturers.
    {7, "DJ", "QV", "KV-2104-B", nullptr},
    {7, "DJ", "ELETRAMAX", "MX-2040", nullptr},
    {8, "CT", "QV", "KV-4510", nullptr},
    {8, "CT", "VOLTRIX", "MX-2040", "Verificar a tensão da bobina antes da substituição."},
    // A family code without a FAMILIES row.
    {9, "HS", "IBIRAMA Componentes", "IB-HS 1500", nullptr},
    {9, "HS", "Catavento Elétrica", "CAT-HS/16", nullptr},
    {9, "HS", "QV", "KV-2104 PLUS", nullptr},
    // An accented competitor reference; the product's drawing is missing.
    {10, "RP", "Norvalt Automação", "NV-ÉLITE 40", nullptr},
    {10, "RP", "QV", "KV-4702", nullptr},
    // A house reference holding a single quote, which the reference lookup drops.
    {11, "BA", "QV", "KV-D'AGUA 20", nullptr},
    {11, "BA", "Lumitra", "LU-BOIA 20", nullptr},
    // A row without a group number.
    {0, "DJ", "Siltrana", "SLT-AVULSO", nullptr},
};

QVector<QVector<RelationRow>> buildFixedGroups()
{
    QVector<QVector<RelationRow>> groups;
    int lastSet = -1;
    for (const FixedRow& fixed : kFixedRows) {
        if (fixed.set != lastSet || groups.isEmpty())
            groups.append(QVector<RelationRow>());
        lastSet = fixed.set;
        RelationRow row;
        row.reference = QString::fromUtf8(fixed.reference);
        row.company = QString::fromUtf8(fixed.company);
        row.family = QString::fromUtf8(fixed.family);
        if (fixed.set != 0)
            row.referenceSet = fixed.set;
        if (fixed.notes)
            row.notes = QString::fromUtf8(fixed.notes);
        groups.last().append(row);
    }
    return groups;
}

} // namespace

RelationGroupMaker::RelationGroupMaker(SampleRandom& random, const QVector<HouseProduct>& products)
    : m_random(random), m_products(products), m_productsByFamily(FamilyList::families().size()),
      m_fixedGroups(buildFixedGroups())
{
    for (int i = 0; i < products.size(); ++i)
        m_productsByFamily[products.at(i).familyIndex].append(i);
    for (const CompetitorList::Competitor& competitor : CompetitorList::competitors())
        m_numbering.append(
            ReferenceNumbering(competitor.referencePattern, static_cast<quint64>(m_random.below(1 << 30))));
}

int RelationGroupMaker::fixedRowCount()
{
    return static_cast<int>(std::size(kFixedRows));
}

QVector<RelationRow> RelationGroupMaker::nextGroup()
{
    const int made = m_groupsMade++;
    if (made < m_fixedGroups.size())
        return m_fixedGroups.at(made);
    return inventGroup();
}

QVector<RelationRow> RelationGroupMaker::inventGroup()
{
    const int familyIndex = m_random.below(static_cast<int>(FamilyList::families().size()));
    m_family = FamilyList::families().at(familyIndex).code;
    m_set = m_nextSet++;

    QVector<RelationRow> rows;
    addHouseRows(rows, familyIndex);
    addCompetitorRows(rows);
    return rows;
}

void RelationGroupMaker::addHouseRows(QVector<RelationRow>& rows, int familyIndex)
{
    auto add = [&](const QString& company, const QString& reference) {
        rows.append({reference, company, m_family, m_set, maybeNotes(houseNotes(), 10)});
    };
    const QString qv = CompetitorList::houseBrand();
    const QString vestral = CompetitorList::secondHouseBrand();

    const int kind = m_random.below(100);
    if (kind < 68) {
        add(qv, houseReference(familyIndex, {}));
    } else if (kind < 76) {
        add(vestral, houseReference(familyIndex, {}));
    } else if (kind < 82) {
        const QString first = houseReference(familyIndex, {});
        add(qv, first);
        add(vestral, houseReference(familyIndex, first));
    } else if (kind < 90) {
        // No house equivalent.
    } else if (kind < 96) {
        // A house reference that the house catalogue lacks.
        const int base = FamilyList::families().at(familyIndex).referenceBase;
        add(qv, QStringLiteral("KV-%1%2-OBS").arg(base).arg(m_random.below(100), 2, 10, QLatin1Char('0')));
    } else {
        const QString first = houseReference(familyIndex, {});
        add(qv, first);
        add(qv, houseReference(familyIndex, first));
    }
}

void RelationGroupMaker::addCompetitorRows(QVector<RelationRow>& rows)
{
    const QVector<CompetitorList::Competitor>& competitors = CompetitorList::competitors();
    const int count = 1 + m_random.below(4);
    QVector<int> chosen;
    while (chosen.size() < count) {
        const int index = m_random.below(static_cast<int>(competitors.size()));
        if (!chosen.contains(index))
            chosen.append(index);
    }
    for (const int index : chosen) {
        const QString& company = competitors.at(index).name;
        // Now and then two manufacturers use the same reference text.
        QString reference;
        if (!m_lastReference.isEmpty() && m_lastCompany != company && m_random.chance(0.3))
            reference = m_lastReference;
        else
            reference = m_numbering[index].next();
        rows.append({reference, company, m_family, m_set, maybeNotes(competitorNotes(), 15)});
        m_lastReference = reference;
        m_lastCompany = company;
    }
}

// A house reference of the family other than `other`; a family without products borrows
// from the whole catalogue.
QString RelationGroupMaker::houseReference(int familyIndex, const QString& other)
{
    const QVector<int>& family = m_productsByFamily.at(familyIndex);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int product = family.isEmpty() ? m_random.below(static_cast<int>(m_products.size()))
                                             : family.at(m_random.below(static_cast<int>(family.size())));
        const QString& reference = m_products.at(product).reference;
        if (reference != other)
            return reference;
    }
    return m_products.first().reference;
}

QVariant RelationGroupMaker::maybeNotes(const QStringList& texts, double percent)
{
    if (!m_random.chance(percent))
        return {};
    return m_random.pick(texts);
}
