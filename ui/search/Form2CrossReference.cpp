// The cross-reference search: narrowing by manufacturer and family, and resolving a
// competitor reference to the maker's equivalent.

#include "ComboLists.h"
#include "Form2.h"
#include "base/HouseBrands.h"
#include "base/ScrambleText.h"
#include "catalogue/AnyOfSql.h"
#include "catalogue/CatalogueSql.h"
#include "catalogue/ListQuery.h"
#include "catalogue/Module1.h"
#include "catalogue/TextForms.h"
#include "catalogue/TypedEntries.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/Platform.h"
#include "ui_Form2.h"

#include <QLocale>

namespace {

const QString kNotice = QStringLiteral("Aviso");

// A list a filter read; one with rows also becomes the shared list that later windows start
// from.
ListQuery shared(ListQuery query, CachedList* list)
{
    if (query.ok)
        Module1::RecCount = qlonglong(query.rows.size());
    if (query.ok && !query.rows.isEmpty())
        *list = query.rows;
    return query;
}

ListQuery readReferences(const QString& sql, const QVariantList& values)
{
    return shared(ComboLists::readCompetitorReferences(Module1::Conn.get(), sql, values), &Module1::RefRows);
}

ListQuery readList(const QString& sql, const QVariantList& values, CachedList* list)
{
    return shared(ListQuery::run(Module1::Conn.get(), sql, values), list);
}

bool exists(const QString& sql, const QVariantList& values)
{
    ForwardResult check = ForwardResult::execute(Module1::Conn.get(), sql, values);
    const bool found = !check.eof();
    check.close();
    return found;
}

void notice(QWidget* parent, const QString& text)
{
    Platform::messageBox(parent, text, PlatformBackend::Buttons::Ok, kNotice);
}

QString shownText(const QVariant& value)
{
    return TextForms::asText(value, QLocale());
}

// The stored values a query looks for, then its other values.
QVariantList valuesOf(const QStringList& stored, const QVariantList& others = {})
{
    QVariantList values(stored.begin(), stored.end());
    return values + others;
}

} // namespace

void Form2::comCompanies_Click()
{
    ui->CbxDesc->setEditText(QString());
    ui->CbxRef->setEditText(QString());
    Contador = 1;

    const QString family = ui->comFamilies->currentText();
    const QStringList manufacturers = TypedEntries::storedManufacturers(ui->comCompanies->currentText());
    const qsizetype count = manufacturers.size();
    const QString company = QStringLiteral("COMPANY = ?");
    const bool inFamily = !family.isEmpty();
    // The house brands' own references are never listed.
    const QStringList competitors = HouseBrands::withoutHouseBrands(manufacturers);
    const QString qv = HouseBrands::storedQV();
    const QString vestral = HouseBrands::storedVestral();

    const ListQuery references =
        inFamily ? readReferences(CatalogueSql::anyOf(CatalogueSql::M1, company, count),
                                  valuesOf(manufacturers, {family, qv, vestral}))
                 : readReferences(CatalogueSql::referencesOfCompetitors(competitors.size()),
                                  valuesOf(competitors));
    const ListQuery families =
        readList(CatalogueSql::familiesOfManufacturers(count), valuesOf(manufacturers), &Module1::FamRows);

    if (!exists(CatalogueSql::anyOf(CatalogueSql::M4, company, count), valuesOf(manufacturers))) {
        notice(this, QStringLiteral("Fabricante não existe"));
        return;
    }

    ui->comReferences->clearEntries();
    // With a family chosen, the family list stays as the user chose from it; only the
    // references are narrowed to that family.
    if (!inFamily) {
        ui->comFamilies->clearEntries();
        ComboLists::fillFamilies(ui->comFamilies, families.rows);
    }
    ComboLists::fillCompetitorReferences(ui->comReferences, references.rows);
}

void Form2::comCompanies_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comCompanies_Click();
}

void Form2::comFamilies_Click()
{
    const QString company = ui->comCompanies->currentText();
    const QString family = ui->comFamilies->currentText();
    const QString qv = HouseBrands::storedQV();
    const QString vestral = HouseBrands::storedVestral();

    if (!company.isEmpty()) {
        const QStringList manufacturers = TypedEntries::storedManufacturers(company);
        const ListQuery references = readReferences(
            CatalogueSql::anyOf(CatalogueSql::F1, QStringLiteral("COMPANY = ?"), manufacturers.size()),
            valuesOf(manufacturers, {family, qv, vestral}));
        if (!exists(CatalogueSql::F4, {family})) {
            notice(this, QStringLiteral("Familia não existe"));
            return;
        }
        ui->comReferences->clearEntries();
        ComboLists::fillCompetitorReferences(ui->comReferences, references.rows);
        return;
    }

    const ListQuery references = readReferences(CatalogueSql::F2OfCompetitors, {family, qv, vestral});
    const ListQuery manufacturers = readList(CatalogueSql::F3, {family, qv, vestral}, &Module1::CompRows);
    if (!exists(CatalogueSql::F4, {family})) {
        notice(this, QStringLiteral("Familia não existe"));
        return;
    }
    ui->comReferences->clearEntries();
    ui->comCompanies->clearEntries();
    ComboLists::fillManufacturers(ui->comCompanies, manufacturers.rows);
    ComboLists::fillCompetitorReferences(ui->comReferences, references.rows);
}

void Form2::comFamilies_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comFamilies_Click();
}

void Form2::comReferences_Click()
{
    ui->CbxDesc->setEditText(QString());
    ui->CbxRef->setEditText(QString());
    Contador = 1;

    const QString typed = ui->comReferences->currentText();
    const QStringList references = TypedEntries::storedCompetitorReferences(typed);
    CurrentResult = ForwardResult::execute(
        Module1::Conn.get(),
        CatalogueSql::anyOf(CatalogueSql::R1, QStringLiteral("RELATIONS.REFERENCE = ?"), references.size()),
        valuesOf(references));
    if (CurrentResult.eof()) {
        CurrentResult.close();
        // Written with other separators, the one reference it can be is looked up as if chosen.
        const QString entry = TypedEntries::competitorReferenceAside(typed);
        if (!entry.isEmpty()) {
            ui->comReferences->setEditText(entry);
            comReferences_Click();
            return;
        }
        notice(this, QStringLiteral("Referência não existe"));
        return;
    }

    ui->comFamilies->setEditText(shownText(CurrentResult.field(QStringLiteral("DESCRIPTION"))));
    ui->comCompanies->setEditText(
        ScrambleText(TextForms::trimBlanks(shownText(CurrentResult.field(QStringLiteral("COMPANY"))))));
    const QString familyCode =
        TextForms::withoutQuotes(TextForms::trimBlanks(shownText(CurrentResult.field(QStringLiteral("FAMILY")))));
    // The group number is compared as a number; its text form is what a text value gives.
    const QVariant groupValue = CurrentResult.field(QStringLiteral("REFERENCE_SET"));
    const QVariant group = groupValue.typeId() == QMetaType::QString || groupValue.isNull()
                               ? QVariant(TextForms::withoutQuotes(TextForms::trimBlanks(shownText(groupValue))))
                               : groupValue;
    ui->txtDetalhes->setPlainText(ScrambleText(shownText(CurrentResult.field(QStringLiteral("Detalhes")))));
    CurrentResult.close();

    CurrentResult = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::HouseEquivalent,
                                           {group, familyCode, HouseBrands::storedQV()});
    if (CurrentResult.eof())
        CurrentResult = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::HouseEquivalent,
                                               {group, familyCode, HouseBrands::storedVestral()});
    if (CurrentResult.eof()) {
        CurrentResult.close();
        notice(this, QStringLiteral("Referência não existe"));
        ui->lblQuiro->setText(ui->CbxRef->currentText());
        return;
    }

    ui->CbxRef->setEditText(ScrambleText(shownText(CurrentResult.field(QStringLiteral("REFERENCE")))));
    if (ui->txtDetalhes->toPlainText().isEmpty())
        ui->txtDetalhes->setPlainText(ScrambleText(shownText(CurrentResult.field(QStringLiteral("Detalhes")))));
    CurrentResult.close();
    CbxRef_Click();
}

void Form2::comReferences_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comReferences_Click();
}
