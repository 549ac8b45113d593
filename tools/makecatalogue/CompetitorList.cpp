#include "CompetitorList.h"

const QVector<CompetitorList::Competitor>& CompetitorList::competitors()
{
    static const QVector<Competitor> list = {
        {QStringLiteral("ELETRAMAX"), QStringLiteral("EMX-######")},
        {QStringLiteral("VOLTRIX"), QStringLiteral("VX-####@")},
        {QStringLiteral("Fortex Elétrica"), QStringLiteral("FT ####/##")},
        {QStringLiteral("SIGMA-TEC"), QStringLiteral("ST-###-###")},
        {QStringLiteral("Lumitra"), QStringLiteral("LU.#####.@")},
        {QStringLiteral("Condumax"), QStringLiteral("CDX######")},
        {QStringLiteral("PROTELIS"), QStringLiteral("PTL-#####@")},
        {QStringLiteral("Amperis"), QStringLiteral("AMP ###-###")},
        {QStringLiteral("Norvalt Automação"), QStringLiteral("NV######")},
        {QStringLiteral("Siltrana"), QStringLiteral("S######-BR")},
        {QStringLiteral("Catavento Elétrica"), QStringLiteral("CAT-####/##")},
        {QStringLiteral("IBIRAMA Componentes"), QStringLiteral("IB.###.###")},
        {oldHouseReferences(), QStringLiteral("VA-######")},
    };
    return list;
}

QString CompetitorList::houseBrand()
{
    return QStringLiteral("QV");
}

QString CompetitorList::secondHouseBrand()
{
    return QStringLiteral("VESTRAL");
}

QString CompetitorList::oldHouseReferences()
{
    return QStringLiteral("VESTRAL (Ref. Antiga)");
}
