// The house catalogue lookups: a product found by the beginning of its reference or by a
// part of its description. A step that fails (a query that cannot run) is passed over and
// the lookup goes on, ending as one that found nothing.

#include "Form2.h"
#include "catalogue/HouseLookup.h"
#include "catalogue/Module1.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/Platform.h"
#include "ui_Form2.h"

void Form2::CbxRef_Click()
{
    if (!Module1::Opened().waitForCopy())
        return;
    ui->CbxDesc->setEditText(QString());
    ui->CbxDesc1->setPlainText(QString());
    ui->lblQuiro->setText(QString());
    ui->fraAlerta->hide();

    const HouseLookup::Found found =
        HouseLookup::FindByReference(Module1::Opened(), ui->CbxRef->currentText());
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
    if (!Module1::Opened().waitForCopy())
        return;
    ui->CbxRef->setEditText(QString());

    const HouseLookup::Found found =
        HouseLookup::FindByDescription(Module1::Opened(), ui->CbxDesc->currentText());
    if (!found.entry.isEmpty())
        ui->CbxDesc->setEditText(found.entry);
    CurrentResult = found.product;
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
