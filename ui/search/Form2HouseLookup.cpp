// The house catalogue lookups: a product found by the beginning of its reference or by a
// part of its description. A catalogue whose queries cannot run says so, rather than that the
// product does not exist.

#include "CatalogueCheck.h"
#include "Form2.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/Platform.h"
#include "ui_Form2.h"

void Form2::CbxRef_Click()
{
    const std::optional<HouseLookup::Found> found =
        CatalogueCheck::answer(this, [typed = ui->CbxRef->currentText()](Catalogue& catalogue) {
            return HouseLookup::FindByReference(catalogue, typed);
        });
    if (found)
        showReferenceLookup(*found);
}

void Form2::showReferenceLookup(const HouseLookup::Found& found)
{
    ui->CbxDesc->setEditText(QString());
    ui->CbxDesc1->setPlainText(QString());
    ui->lblQuiro->setText(QString());
    ui->fraAlerta->hide();

    if (!found.entry.isEmpty())
        ui->CbxRef->setEditText(found.entry);
    CurrentResult = found.product;
    ui->lblQuiro->setText(ui->CbxRef->currentText() + QLatin1Char(' '));

    if (CurrentResult.eof()) {
        if (Contador == 1) {
            ui->CbxRef->setEditText(QString());
            ui->fraAlerta->show();
        } else {
            ui->lblQuiro->setText(QString());
            Platform::messageBox(this, QStringLiteral("Referência não existe"), PlatformBackend::Buttons::Ok,
                                 QStringLiteral("Aviso"));
            ui->fraAlerta->show();
        }
    }
    if (Contador == 0)
        ClearCrossReference();
    Contador = 0;
    ClearProductPanel();
    ShowProduct();
    CurrentResult.close();
}

void Form2::CbxRef_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == KeyCodes::Enter)
        CbxRef_Click();
}

void Form2::CbxDesc_Click()
{
    const std::optional<HouseLookup::Found> found =
        CatalogueCheck::answer(this, [typed = ui->CbxDesc->currentText()](Catalogue& catalogue) {
            return HouseLookup::FindByDescription(catalogue, typed);
        });
    if (!found)
        return;
    ui->CbxRef->setEditText(QString());
    if (!found->entry.isEmpty())
        ui->CbxDesc->setEditText(found->entry);
    CurrentResult = found->product;
    ClearProductPanel();
    if (CurrentResult.eof())
        Platform::messageBox(this, QStringLiteral("Nenhum produto encontrado com essa descrição"),
                             PlatformBackend::Buttons::Ok, QStringLiteral("Aviso"));
    ShowProduct();
    CurrentResult.close();
    if (Contador == 0)
        ClearCrossReference();
    Contador = 0;
}

void Form2::CbxDesc_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode != KeyCodes::Enter)
        return;
    CbxDesc_Click();
    ui->comReferences->setEditText(QString());
    ui->comFamilies->setEditText(QString());
    ui->comCompanies->setEditText(QString());
}
