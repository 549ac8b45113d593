#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

// Builds a catalogue file for a test with the program's own table definitions. Values are
// given as shown; the scrambled cross-reference columns are scrambled here.
class TestCatalogue
{
public:
    explicit TestCatalogue(const QString& path, bool withIndexes = true);
    ~TestCatalogue();

    struct Product
    {
        int numero = 0;
        QVariant referencia, descricao, prazo, peso, preco, ipi, icms, classFiscal, dimensao, venda, grupo,
            referenciaNova, composicao, codAnexo;
    };

    void addProduct(const Product& product);
    // Shorthand for a product with a reference, a description and a price.
    void addProduct(int numero, const QString& referencia, const QString& descricao, const QVariant& preco = 10.0);
    void addPhoto(int numero, const QVariant& storedFile);
    void addAttachment(int numero, const QVariant& storedFile);
    void addRelation(const QVariant& reference, const QVariant& company, const QVariant& family,
                     const QVariant& referenceSet, const QVariant& notes = QVariant());
    void addFamily(const QVariant& family, const QVariant& description);
    void setVersion(const QVariantList& sixColumns);
    void exec(const QString& sql, const QVariantList& values = {});

    // Closes the file; further additions are not allowed.
    void finish();

    // A stored-file value: the extension padded to 30 bytes, then the content.
    static QByteArray storedFile(const QString& extension, const QByteArray& content);
    // The bytes of a PNG or JPEG picture of the given size.
    static QByteArray picture(int width, int height, const char* format = "PNG");

    // The catalogue most scenario tests use; see the .cpp for its rows.
    static void writeStandard(const QString& path);

private:
    QString m_connection;
    bool m_indexes;
    bool m_finished = false;
};
