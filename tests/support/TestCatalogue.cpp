#include "TestCatalogue.h"

#include "base/CatalogueSchema.h"
#include "base/ScrambleText.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QVariant scrambled(const QVariant& value)
{
    return value.isNull() ? value : QVariant(ScrambleText(value.toString()));
}

} // namespace

TestCatalogue::TestCatalogue(const QString& path, bool withIndexes)
    : m_connection(QStringLiteral("test-catalogue-") + path)
    , m_indexes(withIndexes)
{
    QFile::remove(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open())
        qFatal("cannot create test catalogue %s", qPrintable(path));
    for (const QString& statement : CatalogueSchema::createTableStatements())
        exec(statement);
    db.transaction();
}

TestCatalogue::~TestCatalogue()
{
    finish();
}

void TestCatalogue::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection);
        db.commit();
        // A test may have dropped or renamed what an index needs; such an index is left out.
        if (m_indexes) {
            for (const QString& statement : CatalogueSchema::createIndexStatements())
                QSqlQuery(db).exec(statement);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void TestCatalogue::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.prepare(sql))
        qFatal("test catalogue: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        qFatal("test catalogue: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
}

void TestCatalogue::addProduct(const Product& p)
{
    exec(QString::fromUtf8(CatalogueSchema::kHouseInsert),
         {p.numero, p.referencia, p.descricao, p.prazo, p.peso, p.preco, p.ipi, p.icms, p.classFiscal, p.dimensao,
          p.venda, p.grupo, p.referenciaNova, p.composicao, p.codAnexo});
}

void TestCatalogue::addProduct(int numero, const QString& referencia, const QString& descricao,
                               const QVariant& preco)
{
    Product product;
    product.numero = numero;
    product.referencia = referencia;
    product.descricao = descricao;
    product.preco = preco;
    addProduct(product);
}

void TestCatalogue::addPhoto(int numero, const QVariant& storedFile)
{
    exec(QString::fromUtf8(CatalogueSchema::kPhotoInsert), {numero, storedFile, QStringLiteral("foto"), QString()});
}

void TestCatalogue::addAttachment(int numero, const QVariant& storedFile)
{
    exec(QString::fromUtf8(CatalogueSchema::kAttachmentInsert), {numero, storedFile});
}

void TestCatalogue::addRelation(const QVariant& reference, const QVariant& company, const QVariant& family,
                                const QVariant& referenceSet, const QVariant& notes)
{
    exec(QString::fromUtf8(CatalogueSchema::kRelationInsert),
         {scrambled(reference), scrambled(company), family, referenceSet, scrambled(notes)});
}

void TestCatalogue::addFamily(const QVariant& family, const QVariant& description)
{
    exec(QString::fromUtf8(CatalogueSchema::kFamilyInsert), {family, description});
}

void TestCatalogue::setVersion(const QVariantList& sixColumns)
{
    exec(QString::fromUtf8(CatalogueSchema::kVersionInsert), sixColumns);
}

QByteArray TestCatalogue::storedFile(const QString& extension, const QByteArray& content)
{
    return extension.toLatin1().leftJustified(30, ' ') + content;
}

QByteArray TestCatalogue::picture(int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// House products:
//   1 KV-100  "Disjuntor bipolar 20 A", photo PNG 300x200 (jpg extension), drawing (pdf)
//   2 KV-101  "Disjuntor tripolar 32 A", price 0, weight 2, no photo
//   3 KV-200  "Tomada 2P+T 10 A", price and weight null
//   4 KV-D'AGUA "Boia d'água 20 mm"
//   5 KV-1000 "  Disjuntor bipolar 20 A especial  " (blanks around; a second product that KV-100 prefixes)
//   6 KV-300 (with a trailing blank) "Relé térmico"
//   7 AB_1    "Produto com sublinhado"
//   8 AXB1    "Produto parecido"
// Cross-reference groups (reference, manufacturer, family, group, notes):
//   1 DJ: ELX-20 ELETRAMAX "Equivale com adaptador"; VTX-20 VOLTRIX; OLD-100 VESTRAL (Ref. Antiga);
//         KV-100 QV "Nota da casa"
//   2 DJ: ELX-32 ELETRAMAX; KV-101 VESTRAL "Nota Vestral"
//   3 TM: ELX-T10 ELETRAMAX (no house row)
//   4 TM: VTX-T10 VOLTRIX; KV-999 QV (missing from the house table)
//   5 XX: ORF-1 VOLTRIX (family without a FAMILIES row)
//   6 DJ: DUP-1 ELETRAMAX; 7 TM: DUP-1 VOLTRIX; house rows KV-200 QV in both
//   8 QA: QA-1 ELETRAMAX; KV-D'AGUA QV
//   9 TM: VTX-T20 VOLTRIX "Nota concorrente"; KV-200 QV "Nota casa 9"
// Families: DJ Disjuntores, TM Tomadas, QA "Caixas d'água".
void TestCatalogue::writeStandard(const QString& path)
{
    TestCatalogue catalogue(path);
    Product first;
    first.numero = 1;
    first.referencia = QStringLiteral("KV-100");
    first.descricao = QStringLiteral("Disjuntor bipolar 20 A");
    first.prazo = 5;
    first.peso = 0.25;
    first.preco = 1234.5;
    first.ipi = 5;
    first.icms = 7.5;
    first.classFiscal = QStringLiteral("8536.20.00");
    first.dimensao = QStringLiteral("90x50x70");
    first.venda = QStringLiteral("Normal");
    first.grupo = QStringLiteral("G1");
    first.referenciaNova = QStringLiteral("KV-100N");
    first.composicao = QStringLiteral("Caixa termoplástica");
    first.codAnexo = 1;
    catalogue.addProduct(first);
    catalogue.addPhoto(1, storedFile(QStringLiteral("jpg"), picture(300, 200)));
    catalogue.addAttachment(1, storedFile(QStringLiteral("pdf"), QByteArray("%PDF-1.4 desenho")));

    Product second;
    second.numero = 2;
    second.referencia = QStringLiteral("KV-101");
    second.descricao = QStringLiteral("Disjuntor tripolar 32 A");
    second.preco = 0.0;
    second.peso = 2.0;
    catalogue.addProduct(second);
    catalogue.addProduct(3, QStringLiteral("KV-200"), QStringLiteral("Tomada 2P+T 10 A"), QVariant());
    catalogue.addProduct(4, QStringLiteral("KV-D'AGUA"), QStringLiteral("Boia d'água 20 mm"));
    catalogue.addProduct(5, QStringLiteral("KV-1000"), QStringLiteral("  Disjuntor bipolar 20 A especial  "));
    catalogue.addProduct(6, QStringLiteral("KV-300 "), QStringLiteral("Relé térmico"));
    catalogue.addProduct(7, QStringLiteral("AB_1"), QStringLiteral("Produto com sublinhado"));
    catalogue.addProduct(8, QStringLiteral("AXB1"), QStringLiteral("Produto parecido"));

    const QString qv = QStringLiteral("QV");
    const QString vestral = QStringLiteral("VESTRAL");
    const QString eletramax = QStringLiteral("ELETRAMAX");
    const QString voltrix = QStringLiteral("VOLTRIX");
    catalogue.addRelation(QStringLiteral("ELX-20"), eletramax, QStringLiteral("DJ"), 1,
                          QStringLiteral("Equivale com adaptador"));
    catalogue.addRelation(QStringLiteral("VTX-20"), voltrix, QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("OLD-100"), QStringLiteral("VESTRAL (Ref. Antiga)"), QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("KV-100"), qv, QStringLiteral("DJ"), 1, QStringLiteral("Nota da casa"));
    catalogue.addRelation(QStringLiteral("ELX-32"), eletramax, QStringLiteral("DJ"), 2);
    catalogue.addRelation(QStringLiteral("KV-101"), vestral, QStringLiteral("DJ"), 2, QStringLiteral("Nota Vestral"));
    catalogue.addRelation(QStringLiteral("ELX-T10"), eletramax, QStringLiteral("TM"), 3);
    catalogue.addRelation(QStringLiteral("VTX-T10"), voltrix, QStringLiteral("TM"), 4);
    catalogue.addRelation(QStringLiteral("KV-999"), qv, QStringLiteral("TM"), 4);
    catalogue.addRelation(QStringLiteral("ORF-1"), voltrix, QStringLiteral("XX"), 5);
    catalogue.addRelation(QStringLiteral("DUP-1"), eletramax, QStringLiteral("DJ"), 6);
    catalogue.addRelation(QStringLiteral("KV-200"), qv, QStringLiteral("DJ"), 6);
    catalogue.addRelation(QStringLiteral("DUP-1"), voltrix, QStringLiteral("TM"), 7);
    catalogue.addRelation(QStringLiteral("KV-200"), qv, QStringLiteral("TM"), 7);
    catalogue.addRelation(QStringLiteral("QA-1"), eletramax, QStringLiteral("QA"), 8);
    catalogue.addRelation(QStringLiteral("KV-D'AGUA"), qv, QStringLiteral("QA"), 8);
    catalogue.addRelation(QStringLiteral("VTX-T20"), voltrix, QStringLiteral("TM"), 9,
                          QStringLiteral("Nota concorrente"));
    catalogue.addRelation(QStringLiteral("KV-200"), qv, QStringLiteral("TM"), 9, QStringLiteral("Nota casa 9"));

    catalogue.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
    catalogue.addFamily(QStringLiteral("TM"), QStringLiteral("Tomadas"));
    catalogue.addFamily(QStringLiteral("QA"), QStringLiteral("Caixas d'água"));

    catalogue.setVersion({QStringLiteral("Catálogo Korvel"), QStringLiteral("2026.12"), QStringLiteral("Rev 3"),
                          QStringLiteral("Atualizações"), QStringLiteral("http://example.invalid/atualizar"),
                          QStringLiteral("Clique para atualizar")});
}
