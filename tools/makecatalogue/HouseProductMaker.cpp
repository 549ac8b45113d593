#include "HouseProductMaker.h"

#include "FamilyList.h"
#include "SampleRandom.h"

#include <cmath>
#include <iterator>

namespace {

// CodAnexo of a product whose drawing is missing from the attachments.
constexpr int kMissingAttachment = 999999;

const QStringList& compositions()
{
    static const QStringList texts = {
        QStringLiteral("Caixa em termoplástico autoextinguível; contatos em liga de prata."),
        QStringLiteral("Corpo em policarbonato, contatos em latão estanhado."),
        QStringLiteral("Condutor de cobre eletrolítico, isolação em PVC 70 °C."),
        QStringLiteral("Invólucro em chapa de aço com pintura eletrostática a pó."),
        QStringLiteral("Base em poliamida com fibra de vidro; parafusos em aço zincado."),
        QStringLiteral("Difusor em policarbonato leitoso, corpo em alumínio injetado."),
        QStringLiteral("Bobina de cobre esmaltado, núcleo de aço-silício laminado."),
        QStringLiteral("Placa em ABS com proteção UV; mecanismo em bronze fosforoso."),
        QStringLiteral("Componentes eletrônicos em placa com verniz de proteção (tropicalizada)."),
        QStringLiteral("Boia em polipropileno, cabo PP 3x0,75 mm² com 1,5 m."),
    };
    return texts;
}

struct FixedProduct
{
    const char* family;
    const char* reference;
    const char* description;
    double price; // negative: null
    const char* sales;
    const char* newReference;
    const char* dimension;
    HouseProduct::Photo photo;
    int photoWidth;
    int photoHeight;
    bool photoAsPng;
    bool drawing;
    bool missingDrawing;
};

// Products that demonstrations and tests look up by name: references sharing a prefix or
// holding a blank or a quote, a shared description, prices of 0 and null, a replaced product,
// photos smaller, larger and exactly as large as the photo box, a missing drawing, and a
// product written in capitals with accents, as supplier data often is.
const FixedProduct kFixedProducts[] = {
    {"DJ", "KV-2104", "Disjuntor termomagnético bipolar 20 A", 48.9, "Normal", nullptr, "90x75x85",
     HouseProduct::Photo::Always, 300, 200, false, true, false},
    {"DJ", "KV-2104-B", "Disjuntor termomagnético bipolar 20 A", 0.0, "Normal", nullptr, "90x75x85",
     HouseProduct::Photo::Always, 400, 400, true, false, false},
    {"DJ", "KV-2104 PLUS", "Disjuntor termomagnético bipolar 25 A", -1.0, "Sob encomenda", nullptr,
     "90x75x85", HouseProduct::Photo::Never, 0, 0, false, false, false},
    {"BA", "KV-D'AGUA 20", "Boia elétrica de nível superior 15 A", 89.5, "Normal", nullptr, "160x120x300",
     HouseProduct::Photo::Always, 200, 300, false, true, false},
    {"BA", "KV-D'AGUA 32", "Controlador de nível para caixa d'água bivolt", 154.0, "Normal", nullptr,
     "140x100x60", HouseProduct::Photo::Always, 640, 480, false, false, false},
    {"TM", "KV-3205", "Tomada de sobrepor 2P+T 10 A branca", 12.5, "Normal", nullptr, "80x80x45",
     HouseProduct::Photo::Always, 120, 90, false, false, false},
    {"TM", "KV-3201 BR", "Tomada de sobrepor 2P+T 20 A branca", 14.75, "Normal", nullptr, "80x80x45",
     HouseProduct::Photo::Never, 0, 0, false, false, false},
    {"CT", "KV-4510", "Contator tripolar 9 A bobina 220 Vca", 96.4, "Fora de linha", "KV-4512", "45x80x90",
     HouseProduct::Photo::Always, 201, 179, true, true, false},
    {"CT", "KV-4512", "Contator tripolar 12 A bobina 220 Vca", 25000.75, "Normal", nullptr, "45x80x90",
     HouseProduct::Photo::Always, 220, 200, false, false, false},
    {"RP", "KV-4702", "Relé de proteção", 310.0, "Normal", nullptr, "22x90x70", HouseProduct::Photo::Never, 0,
     0, false, false, true},
    {"BA", "KV-6320", "Chave-boia com contrapeso 15 A", 64.3, "Normal", nullptr, "110x90x250",
     HouseProduct::Photo::Always, 180, 120, true, true, false},
    {"BA", "KV-6325", "Boia elétrica de nível inferior 25 A", 72.0, "Sob encomenda", nullptr, "160x120x300",
     HouseProduct::Photo::Always, 240, 180, false, false, false},
    {"SN", "KV-8390 Fotocélula", "RELÉ FOTOELÉTRICO COM BASE 1000 W BIVOLT", 38.9, "Normal", nullptr,
     "60x60x90", HouseProduct::Photo::Always, 160, 160, false, false, false},
};

double roundTo(double value, double unit)
{
    return std::round(value / unit) * unit;
}

} // namespace

HouseProductMaker::HouseProductMaker(SampleRandom& random)
    : m_random(random), m_referencesMade(FamilyList::families().size(), 0)
{
}

int HouseProductMaker::fixedProductCount()
{
    return static_cast<int>(std::size(kFixedProducts));
}

QVector<HouseProduct> HouseProductMaker::make(int count)
{
    QVector<HouseProduct> products = fixedProducts();
    for (const HouseProduct& product : products)
        m_usedReferences.insert(product.reference);

    const int familyCount = static_cast<int>(FamilyList::families().size());
    products.reserve(count);
    while (products.size() < count)
        products.append(inventProduct(m_random.below(familyCount)));

    for (int i = 0; i < products.size(); ++i) {
        HouseProduct& product = products[i];
        product.number = i + 1;
        if (product.hasDrawing)
            product.attachmentNumber = ++m_attachmentsMade;
    }
    assignNewReferences(products);
    return products;
}

QVector<HouseProduct> HouseProductMaker::fixedProducts() const
{
    QVector<HouseProduct> products;
    for (const FixedProduct& fixed : kFixedProducts) {
        const int position = static_cast<int>(products.size());
        HouseProduct product;
        product.familyIndex = FamilyList::indexOf(QString::fromUtf8(fixed.family));
        const ProductFamily& family = FamilyList::families().at(product.familyIndex);
        product.reference = QString::fromUtf8(fixed.reference);
        product.description = QString::fromUtf8(fixed.description);
        product.leadTime = 5 + 5 * (position % 4);
        product.weight = 0.125 + 0.25 * position;
        if (fixed.price >= 0)
            product.price = fixed.price;
        product.ipi = 5;
        product.icms = 18;
        product.fiscalClass = family.fiscalClass;
        product.dimension = QString::fromUtf8(fixed.dimension);
        product.sales = QString::fromUtf8(fixed.sales);
        product.group = family.group;
        if (fixed.newReference)
            product.newReference = QString::fromUtf8(fixed.newReference);
        product.composition = compositions().at(position % compositions().size());
        product.hasDrawing = fixed.drawing;
        if (fixed.missingDrawing)
            product.attachmentNumber = kMissingAttachment;
        product.photo = fixed.photo;
        product.photoSize = QSize(fixed.photoWidth, fixed.photoHeight);
        product.photoAsPng = fixed.photoAsPng;
        products.append(product);
    }
    return products;
}

HouseProduct HouseProductMaker::inventProduct(int familyIndex)
{
    const ProductFamily& family = FamilyList::families().at(familyIndex);
    HouseProduct product;
    product.familyIndex = familyIndex;
    product.reference = nextReference(familyIndex);
    product.description = m_random.pick(family.productDescriptions);
    product.fiscalClass = family.fiscalClass;
    product.group = family.group;
    fillFigures(product);
    if (!m_random.chance(20))
        product.composition = m_random.pick(compositions());
    product.hasDrawing = m_random.chance(20);
    return product;
}

// References run "KV-2100" to "KV-2199" for the family with base 21, then again with the
// variant suffixes "-A" to "-Z", "-A2" and so on, so that one model number is shared by
// several products and a prefix search finds them all.
QString HouseProductMaker::nextReference(int familyIndex)
{
    const int base = FamilyList::families().at(familyIndex).referenceBase;
    for (;;) {
        const int made = m_referencesMade[familyIndex]++;
        const int model = (made * 37 + 11) % 100;
        const int round = made / 100;
        QString reference = QStringLiteral("KV-%1%2").arg(base).arg(model, 2, 10, QLatin1Char('0'));
        if (round > 0) {
            reference += QLatin1Char('-') + QChar(u'A' + (round - 1) % 26);
            if (round > 26)
                reference += QString::number((round - 1) / 26 + 1);
        }
        if (!m_usedReferences.contains(reference)) {
            m_usedReferences.insert(reference);
            return reference;
        }
    }
}

void HouseProductMaker::fillFigures(HouseProduct& product)
{
    static const int leadTimes[] = {5, 7, 10, 15, 20, 30, 45, 60};
    static const double ipiRates[] = {5, 7.5, 10, 15};
    static const double icmsRates[] = {7, 12, 18};

    if (!m_random.chance(5))
        product.leadTime = leadTimes[m_random.below(8)];
    if (!m_random.chance(5))
        product.weight = roundTo(m_random.logBetween(0.02, 35.0), 0.001);

    const int priceKind = m_random.below(100);
    if (priceKind < 3)
        product.price = 0.0;
    else if (priceKind >= 6)
        product.price = roundTo(m_random.logBetween(12.5, 25000.75), 0.01);

    product.ipi = ipiRates[m_random.below(4)];
    product.icms = icmsRates[m_random.below(3)];
    product.dimension = QStringLiteral("%1x%2x%3")
                            .arg(m_random.between(4, 120) * 5)
                            .arg(m_random.between(4, 100) * 5)
                            .arg(m_random.between(2, 80) * 5);

    const int salesKind = m_random.below(100);
    if (salesKind < 85)
        product.sales = QStringLiteral("Normal");
    else if (salesKind < 95)
        product.sales = QStringLiteral("Sob encomenda");
    else
        product.sales = QStringLiteral("Fora de linha");
}

// Most discontinued products, and a few others, name the product of their family that
// replaces them.
void HouseProductMaker::assignNewReferences(QVector<HouseProduct>& products)
{
    QVector<QVector<int>> byFamily(FamilyList::families().size());
    for (int i = 0; i < products.size(); ++i)
        byFamily[products.at(i).familyIndex].append(i);

    for (int i = fixedProductCount(); i < products.size(); ++i) {
        HouseProduct& product = products[i];
        const bool discontinued = product.sales == QLatin1String("Fora de linha");
        if (!m_random.chance(discontinued ? 60 : 1))
            continue;
        const QVector<int>& family = byFamily.at(product.familyIndex);
        const int other = family.at(m_random.below(static_cast<int>(family.size())));
        if (other != i)
            product.newReference = products.at(other).reference;
    }
}
