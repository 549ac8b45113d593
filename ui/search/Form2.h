#pragma once

#include "catalogue/engine/ProductRecord.h"
#include "catalogue/opened/HouseLookup.h"
#include "ui/platform/ClickEvents.h"

#include <QEvent>
#include <QWidget>

#include <memory>

class QFocusFrame;
class QKeyEvent;
class QMouseEvent;
class QTimer;

namespace Ui {
class Form2;
}

// The search window ("Consulta"): the house catalogue search with its product panel in the
// upper part, the cross-reference search ("Quiro") in the lower part, and the showcase
// column at the right edge. Every handler runs to its end on the GUI thread; the window's
// own state is the fields below; the catalogue the window searches is Module1's.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    int contador() const { return Contador; }
    QString photoPreviewPath() const { return PhotoPreviewPath; }
    int bannerStep() const { return BannerStep; }
    // The reference of the product the panel shows; empty while it shows none.
    QString shownReference() const { return m_shownReference; }

    // Start and reset. Form_Load also gives the window the lists of a catalogue opened anew.
    void Form_Load();
    void Form_KeyUp(int keyCode, int shift);

    // Cross-reference filters and resolution.
    void comCompanies_Click();
    void comCompanies_KeyPress(int keyAscii);
    void comFamilies_Click();
    void comFamilies_KeyPress(int keyAscii);
    void comReferences_Click();
    void comReferences_KeyPress(int keyAscii);

    // House catalogue lookups.
    void CbxRef_Click();
    void CbxRef_KeyDown(int keyCode, int shift);
    void CbxDesc_Click();
    void CbxDesc_KeyDown(int keyCode, int shift);

    // Product panel.
    void ShowProduct();
    void ClearProductPanel();
    void ClearCrossReference();
    void ReferenciaNova_Change();
    void Composicao_Change();
    void tmrPaoComMortadela_Timer();

    // Preview files and links.
    void Picture1_Click();
    void Picture1_DblClick();
    void Frame1_Click();
    void Frame1_DblClick();
    void BtnDesenho_Click();
    void Image2_Click();
    void LinkPrograma_Click();

    // Between the two searches from the keyboard: Ctrl+Down and Ctrl+Up.
    void GoToComReferences();
    void GoToCbxRef();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void setPointers();
    void installKeyPreview();
    void addKeyboardReach();
    void fillCrossReferenceLists();
    // The reference lookup's answer, shown as CbxRef_Click shows it.
    void showReferenceLookup(const HouseLookup::Found& found);
    bool showPhoto(const QString& path);
    void openPhotoPreview();
    bool clickableMouseEvent(QObject* watched, QMouseEvent* mouse);
    bool isClickable(const QObject* watched) const;
    void clickOn(QObject* clickable);
    bool clickableKey(QObject* watched, const QKeyEvent* key);
    static bool isWindowShortcut(const QKeyEvent* key);
    void followFocus(QObject* watched, QEvent::Type type);
    void closeOpenList();

    std::unique_ptr<Ui::Form2> ui;
    QTimer* tmrPaoComMortadela;
    ClickEvents m_clicks;
    QFocusFrame* m_focusFrame = nullptr;

    bool m_loaded = false;
    bool m_restoringText = false;
    QString m_shownReference;

    qint32 Contador = 0;
    ProductRecord CurrentResult;
    QString PhotoPreviewPath;
    QVariant AttachmentData; // the stored value of the shown product's attachment
    QString KeptNewReference;
    QString KeptComposition;
    qint16 BannerStep = 0;
};
