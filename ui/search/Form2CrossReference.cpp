// The cross-reference search: narrowing by manufacturer and family, and resolving a
// competitor reference to the maker's equivalent.

#include "CatalogueCheck.h"
#include "ComboLists.h"
#include "Form2.h"
#include "catalogue/opened/CrossReferenceSearch.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/Platform.h"
#include "ui_Form2.h"

namespace {

void notice(QWidget* parent, const QString& text)
{
    Platform::messageBox(parent, text, PlatformBackend::Buttons::Ok, QStringLiteral("Aviso"));
}

} // namespace

void Form2::comCompanies_Click()
{
    const std::optional<CrossReferenceSearch::Filtered> answered =
        CatalogueCheck::answer(this, [manufacturer = ui->comCompanies->currentText(),
                                      family = ui->comFamilies->currentText()](Catalogue& catalogue) {
            return CrossReferenceSearch::FilterByManufacturer(catalogue, manufacturer, family);
        });
    if (!answered)
        return;
    const CrossReferenceSearch::Filtered& filtered = *answered;
    ui->CbxDesc->setEditText(QString());
    ui->CbxRef->setEditText(QString());
    Contador = 1;

    if (!filtered.message.isEmpty()) {
        notice(this, filtered.message);
        return;
    }
    if (!filtered.entry.isEmpty())
        ui->comCompanies->setEditText(filtered.entry);
    ui->comReferences->clearEntries();
    if (filtered.refillsFamilies) {
        ui->comFamilies->clearEntries();
        ComboLists::fill(ui->comFamilies, filtered.families);
    }
    ComboLists::fill(ui->comReferences, filtered.references);
}

void Form2::comCompanies_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comCompanies_Click();
}

void Form2::comFamilies_Click()
{
    const std::optional<CrossReferenceSearch::Filtered> answered =
        CatalogueCheck::answer(this, [manufacturer = ui->comCompanies->currentText(),
                                      family = ui->comFamilies->currentText()](Catalogue& catalogue) {
            return CrossReferenceSearch::FilterByFamily(catalogue, manufacturer, family);
        });
    if (!answered)
        return;
    const CrossReferenceSearch::Filtered& filtered = *answered;
    if (!filtered.message.isEmpty()) {
        notice(this, filtered.message);
        return;
    }
    if (!filtered.entry.isEmpty())
        ui->comFamilies->setEditText(filtered.entry);
    ui->comReferences->clearEntries();
    if (filtered.refillsManufacturers) {
        ui->comCompanies->clearEntries();
        ComboLists::fill(ui->comCompanies, filtered.manufacturers);
    }
    ComboLists::fill(ui->comReferences, filtered.references);
}

void Form2::comFamilies_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comFamilies_Click();
}

void Form2::comReferences_Click()
{
    // The equivalent's product is looked up in the same file as the resolution that named it.
    struct Resolved
    {
        CrossReferenceSearch::Resolution resolution;
        HouseLookup::Found product;
    };
    const std::optional<Resolved> answered =
        CatalogueCheck::answer(this, [typed = ui->comReferences->currentText()](Catalogue& catalogue) {
            Resolved resolved{CrossReferenceSearch::ResolveCompetitorReference(catalogue, typed), {}};
            if (resolved.resolution.equivalentFound)
                resolved.product =
                    HouseLookup::FindByReference(catalogue, resolved.resolution.houseReference);
            return resolved;
        });
    if (!answered)
        return;
    const CrossReferenceSearch::Resolution& resolution = answered->resolution;
    ui->CbxDesc->setEditText(QString());
    ui->CbxRef->setEditText(QString());
    Contador = 1;

    if (!resolution.entry.isEmpty())
        ui->comReferences->setEditText(resolution.entry);
    if (!resolution.referenceFound) {
        notice(this, resolution.message);
        return;
    }

    ui->comFamilies->setEditText(resolution.family);
    ui->comCompanies->setEditText(resolution.company);
    ui->txtDetalhes->setPlainText(resolution.notes);
    if (!resolution.equivalentFound) {
        notice(this, resolution.message);
        ui->lblQuiro->setText(ui->CbxRef->currentText());
        return;
    }

    ui->CbxRef->setEditText(resolution.houseReference);
    if (ui->txtDetalhes->toPlainText().isEmpty())
        ui->txtDetalhes->setPlainText(resolution.houseNotes);
    showReferenceLookup(answered->product);
}

void Form2::comReferences_KeyPress(int keyAscii)
{
    if (keyAscii == KeyCodes::Enter)
        comReferences_Click();
}
