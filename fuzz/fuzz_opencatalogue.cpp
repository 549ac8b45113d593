// Opening a catalogue file made of damaged bytes: OpenCatalogue and the lookups after it
// either work or fail as a failing query does; they never crash or hang, and never change
// the file.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "base/HouseBrands.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/engine/ForwardResult.h"
#include "catalogue/engine/ListQuery.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QDir>
#include <QFile>

#include <cstdint>

namespace {

// Reads every field of the first row, as the product panel does.
void readRow(const QString& sql, const QVariantList& values)
{
    ForwardResult result = ForwardResult::execute(&Module1::Opened().Conn, sql, values);
    for (int i = 0; !result.eof() && i < 20; ++i)
        (void)result.field(i).toString();
    (void)result.field(QStringLiteral("Foto"));
    result.close();
}

void runLookups()
{
    const QVariantList brands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    for (const CachedList* list :
         {&Module1::Opened().HouseRefRows, &Module1::Opened().DescRows, &Module1::Opened().RefRows,
          &Module1::Opened().FamRows, &Module1::Opened().CompRows}) {
        (void)list->entries(EntryRule::AsStored, true);
        (void)list->entries(EntryRule::TrimmedAndScrambled, true);
    }
    readRow(CatalogueSql::ByReference, CatalogueSql::productValues(QStringLiteral("%")));
    readRow(CatalogueSql::ByDescription, CatalogueSql::productValues(QStringLiteral("%a%")));
    readRow(CatalogueSql::CompetitorReferenceRows,
            {Module1::Opened().RefRows.isEmpty() ? QString() : Module1::Opened().RefRows.at(0)});
    readRow(CatalogueSql::HouseEquivalent, {1, QStringLiteral("DJ"), HouseBrands::storedQV()});
    (void)ListQuery::run(&Module1::Opened().Conn, CatalogueSql::ReferencesOfManufacturer,
                         QVariantList{QStringLiteral("x")} + brands);
    (void)ListQuery::run(&Module1::Opened().Conn, CatalogueSql::ManufacturersOfFamily,
                         QVariantList{QStringLiteral("x")} + brands);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzApplication::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = FuzzApplication::scratchDirectory() + QStringLiteral("/lumeo.kvl");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(content) == content.size());
    }

    Module1::Reset();
    Module1::DatabasePath = path;
    const bool opened = OpenCatalogue();
    FUZZ_CHECK(opened == Module1::Opened().DatabaseOpened);
    runLookups();
    Module1::Reset();

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(file.readAll() == content);
    FUZZ_CHECK(QDir(FuzzApplication::scratchDirectory()).entryList(QDir::Files | QDir::Hidden) ==
               QStringList{QStringLiteral("lumeo.kvl")});
    return 0;
}
