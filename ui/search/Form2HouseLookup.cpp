// The house catalogue lookups: a product found by the beginning of its reference or by a
// part of its description. A step that fails (a query that cannot run) is passed over and
// the lookup goes on, ending as one that found nothing.

#include "Form2.h"
#include "catalogue/CatalogueSql.h"
#include "catalogue/Module1.h"
#include "catalogue/TextForms.h"
#include "catalogue/TypedEntries.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/Platform.h"
#include "ui_Form2.h"

void Form2::CbxRef_Click()
{
    ui->CbxDesc->setEditText(QString());
    ui->CbxDesc1->setPlainText(QString());
    ui->lblQuiro->setText(QString());
    ui->fraAlerta->hide();

    // A reference is searched without its quotes, exactly as typed otherwise.
    const QString pattern = TextForms::withoutQuotes(ui->CbxRef->currentText()) + QLatin1Char('%');
    CurrentResult = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::ByReference,
                                           CatalogueSql::productValues(pattern));
    if (CurrentResult.eof()) {
        // Written with other separators, the one reference it can be is looked up as if chosen.
        const QString entry = TypedEntries::houseReferenceAside(ui->CbxRef->currentText());
        if (!entry.isEmpty()) {
            CurrentResult.close();
            ui->CbxRef->setEditText(entry);
            CbxRef_Click();
            return;
        }
    }
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
    ui->CbxRef->setEditText(QString());

    // A description is searched trimmed, quotes and all.
    const QString pattern =
        QLatin1Char('%') + TextForms::trimBlanks(ui->CbxDesc->currentText()) + QLatin1Char('%');
    CurrentResult = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::ByDescription,
                                           CatalogueSql::productValues(pattern));
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
