// The product panel: the found product's data, photo and drawing button.

#include "Form2.h"
#include "catalogue/engine/StoredFile.h"
#include "catalogue/text/TextForms.h"
#include "media/PhotoScaling.h"
#include "media/PreviewWriter.h"
#include "ui_Form2.h"

#include <QImageReader>
#include <QLocale>
#include <QPixmap>

namespace {

QString asText(const QVariant& value)
{
    return TextForms::asText(value, QLocale());
}

} // namespace

void Form2::ShowProduct()
{
    // A lookup whose query could not run leaves the panel as it was emptied.
    if (!CurrentResult.isOpen())
        return;
    if (CurrentResult.eof()) {
        ClearProductPanel();
        return;
    }

    PhotoPreviewPath = WritePhotoPreview(CurrentResult.field(QStringLiteral("Foto")));
    if (!PhotoPreviewPath.isEmpty()) {
        if (!showPhoto(PhotoPreviewPath))
            return;
    } else {
        ui->Picture1->clear();
    }

    const auto field = [this](const char* name) { return CurrentResult.field(QString::fromUtf8(name)); };
    const QLocale locale;

    m_shownReference = asText(field("Referencia"));
    ui->CbxRef->setEditText(m_shownReference);
    const QString description = TextForms::trimBlanks(asText(field("Descriçao")));
    ui->CbxDesc->setEditText(description);
    ui->CbxDesc1->setPlainText(ui->comReferences->currentText().isEmpty() ? QString() : description);
    ui->Prazo->setText(asText(field("Prazo")));

    double number = 0;
    if (TextForms::toNumber(field("Peso"), locale, &number))
        ui->Peso->setText(TextForms::fixedDecimals(number, 3, locale));
    if (TextForms::toNumber(field("Preço"), locale, &number))
        ui->Preco->setText(number != 0 ? TextForms::fixedDecimals(number, 2, locale)
                                       : QStringLiteral("CONSULTAR"));

    ui->IPI->setText(asText(field("IPI")));
    ui->ICMS->setText(asText(field("ICMS")));
    ui->ClassFiscal->setText(asText(field("Class Fiscal")));
    ui->txtVolume->setText(asText(field("Dimensão")));
    ui->StatusVenda->setText(asText(field("Venda")));
    ui->Grupo->setText(asText(field("Grupo")));

    KeptNewReference = asText(field("Referencia Nova"));
    ui->ReferenciaNova->setText(KeptNewReference);
    KeptComposition = asText(field("Composiçao"));
    ui->Composicao->setPlainText(KeptComposition);

    // Kept as read, so that a binary attachment reaches its preview file byte for byte.
    const QVariant attachment = field("ArquivoAnexo");
    AttachmentData = attachment.isValid() && !attachment.isNull() ? attachment : QVariant(QString());
    ui->FrameDesenho->setVisible(!StoredFile::bytes(AttachmentData).isEmpty());
}

bool Form2::showPhoto(const QString& path)
{
    ui->Picture1->hide();
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    const QSize shown = PhotoScaling::shownPixels(picture.size());
    ui->Picture1->setGeometry(QRect(ui->Picture1->pos(), shown));
    ui->Picture1->setScaledContents(true);
    ui->Picture1->setPixmap(QPixmap::fromImage(picture));
    ui->Picture1->show();
    return true;
}

void Form2::ClearProductPanel()
{
    m_shownReference.clear();
    ui->Picture1->clear();
    for (QLineEdit* box : {ui->Prazo, ui->Peso, ui->Preco, ui->IPI, ui->ICMS, ui->ClassFiscal, ui->txtVolume,
                           ui->StatusVenda, ui->Grupo})
        box->setText(QString());
    KeptNewReference.clear();
    ui->ReferenciaNova->setText(QString());
    KeptComposition.clear();
    ui->Composicao->setPlainText(QString());
    ui->FrameDesenho->hide();
}

void Form2::ClearCrossReference()
{
    ui->lblQuiro->setText(QString());
    ui->comReferences->setEditText(QString());
    ui->comFamilies->setEditText(QString());
    ui->comCompanies->setEditText(QString());
    ui->txtDetalhes->setPlainText(QString());
    ui->CbxDesc1->setPlainText(QString());
}

void Form2::ReferenciaNova_Change()
{
    if (ui->ReferenciaNova->text() != KeptNewReference)
        ui->ReferenciaNova->setText(KeptNewReference);
}

void Form2::Composicao_Change()
{
    // The box may hand back line ends in its own form; one restoring pass is enough.
    if (m_restoringText)
        return;
    m_restoringText = true;
    if (ui->Composicao->toPlainText() != KeptComposition)
        ui->Composicao->setPlainText(KeptComposition);
    m_restoringText = false;
}
