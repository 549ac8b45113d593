#include "ui/platform/Fonts.h"
#include "ui/platform/Pictures.h"
#include "ui/search/ComboBox.h"

#include "ui_Form1.h"
#include "ui_Form2.h"
#include "ui_MDIForm1.h"
#include "ui_frmSai.h"

#include <QAction>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QtEndian>
#include <QtTest>

namespace {

// Shorthands that keep the rows of the tables readable.
constexpr bool Shown = true;
constexpr bool Hidden = false;
enum Editing
{
    NotText = -1,
    Editable = 0,
    NotEditable = 1
};
enum Weight
{
    Any = -1,
    Regular = 0,
    Bold = 1
};
enum Align
{
    AnyAlign = 0,
    Left = Qt::AlignLeft,
    Centre = Qt::AlignHCenter,
    Right = Qt::AlignRight
};
const char* const MSS = "MS Sans Serif";
const char* const Arial = "Arial";
const char* const Tahoma = "Tahoma";
const char* const NoFont = "";

void row(const char* form, const char* name, const char* className, const char* parent, QRect geometry,
         const char* text, const char* toolTip, bool visible, Editing editing, const char* family,
         qreal pointSize, Weight weight, Align alignment)
{
    QTest::addRow("%s/%s", form, name)
        << QString::fromUtf8(form) << QString::fromUtf8(name) << QString::fromUtf8(className)
        << QString::fromUtf8(parent) << geometry << QString::fromUtf8(text) << QString::fromUtf8(toolTip)
        << visible << int(editing) << QString::fromUtf8(family) << pointSize << int(weight) << int(alignment);
}

// What a control shows: a label's caption (a non-breaking blank shows as a blank), a box's
// text, a frame's title.
QString shownText(const QWidget* widget)
{
    if (auto label = qobject_cast<const QLabel*>(widget))
        return QString(label->text()).replace(QChar::Nbsp, QLatin1Char(' '));
    if (auto edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto edit = qobject_cast<const QTextEdit*>(widget))
        return edit->toPlainText();
    if (auto combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString();
}

int editing(const QWidget* widget)
{
    if (auto edit = qobject_cast<const QLineEdit*>(widget))
        return edit->isReadOnly() ? NotEditable : Editable;
    if (auto edit = qobject_cast<const QTextEdit*>(widget))
        return edit->isReadOnly() ? NotEditable : Editable;
    return NotText;
}

int horizontalAlignment(const QWidget* widget)
{
    if (auto label = qobject_cast<const QLabel*>(widget))
        return int(label->alignment() & Qt::AlignHorizontal_Mask);
    if (auto edit = qobject_cast<const QLineEdit*>(widget))
        return int(edit->alignment() & Qt::AlignHorizontal_Mask);
    return AnyAlign;
}

// The directory of a Windows icon file: width, height and bits per pixel of each picture.
QString iconEntries(const QByteArray& data)
{
    QStringList entries;
    const int count = qFromLittleEndian<quint16>(data.constData() + 4);
    for (int i = 0; i < count; ++i) {
        const char* entry = data.constData() + 6 + 16 * i;
        entries << QStringLiteral("%1x%2/%3")
                       .arg(quint8(entry[0]))
                       .arg(quint8(entry[1]))
                       .arg(qFromLittleEndian<quint16>(entry + 6));
    }
    return entries.join(QLatin1Char(' '));
}

// What matters of a picture file beyond its format and size.
QString pictureDetail(const QString& path, const QByteArray& format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unreadable");
    const QByteArray data = file.readAll();
    if (format == "bmp")
        return QStringLiteral("%1-bit").arg(qFromLittleEndian<quint16>(data.constData() + 28));
    if (format == "ico")
        return iconEntries(data);
    const QImage image = QImage::fromData(data, format);
    if (format == "xbm")
        return QStringLiteral("%1-bit").arg(image.depth());
    if (format == "png")
        return image.hasAlphaChannel() ? QStringLiteral("alpha") : QStringLiteral("opaque");
    return QString();
}

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controls_data();
    void controls();
    void tabOrder_data();
    void tabOrder();
    void noTabStop_data();
    void noTabStop();
    void stacking_data();
    void stacking();
    void images_data();
    void images();
    void colours_data();
    void colours();
    void windows_data();
    void windows();
    void menu_data();
    void menu();
    void pictureFiles_data();
    void pictureFiles();
    void fontSubstitutes_data();
    void fontSubstitutes();
    void pointers();
    void icons();

private:
    QWidget* form(const QString& name);

    QWidget m_form2;
    Ui::Form2 m_search;
    QWidget m_form1;
    Ui::Form1 m_configuration;
    QWidget m_frmSai;
    Ui::frmSai m_loading;
    QMainWindow m_mdiForm1;
    Ui::MDIForm1 m_main;
};

void TestLayouts::initTestCase()
{
    installFontSubstitutes();
    m_search.setupUi(&m_form2);
    m_configuration.setupUi(&m_form1);
    m_loading.setupUi(&m_frmSai);
    m_main.setupUi(&m_mdiForm1);
}

QWidget* TestLayouts::form(const QString& name)
{
    for (QWidget* root : {&m_form2, &m_form1, &m_frmSai, static_cast<QWidget*>(&m_mdiForm1)}) {
        if (root->objectName() == name)
            return root;
    }
    return nullptr;
}

void TestLayouts::controls_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("editing");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("alignment");

    // Geometry in pixels, relative to the parent; a null rectangle is not checked.
    // clang-format off
    row("Form2", "txtDetalhes", "QTextEdit", "Form2", {8, 536, 457, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "Frame3", "QFrame", "Form2", {0, 464, 705, 161}, "", "", Shown, NotText, Arial, 14.25, Bold, AnyAlign);
    row("Form2", "CbxDesc1", "QTextEdit", "Frame3", {8, 136, 537, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "comCompanies", "ComboBox", "Frame3", {472, 80, 225, 21}, "", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "comFamilies", "ComboBox", "Frame3", {472, 40, 225, 21}, "", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "lblQuiro", "QLineEdit", "Frame3", {8, 112, 537, 21}, "", "", Shown, NotEditable, Arial, 11.25, Bold, Left);
    row("Form2", "fraAlerta", "QFrame", "Frame3", {552, 96, 145, 57}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Label22", "QLabel", "fraAlerta", {8, 8, 129, 46}, "Consultar item Separadamente. Em Busca por Referência.", "", Shown, NotText, Arial, 9, Bold, Centre);
    row("Form2", "comReferences", "ComboBox", "Frame3", {8, 40, 458, 24}, "", "", Shown, NotText, MSS, 9.75, Regular, AnyAlign);
    row("Form2", "Label26", "QLabel", "Frame3", {480, 7, 225, 18}, "(F2=Limpa/Carrega Campos)", "", Shown, NotText, Tahoma, 11.25, Bold, Left);
    row("Form2", "Line4", "QFrame", "Frame3", {0, 15, 2, 146}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Line3", "QFrame", "Frame3", {703, 15, 2, 146}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Line2", "QFrame", "Frame3", {0, 159, 705, 2}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Label25", "QLabel", "Frame3", {8, 4, 57, 21}, "Quiro", "", Shown, NotText, Arial, 14.25, Bold, Left);
    row("Form2", "Line1", "QFrame", "Frame3", {231, 15, 474, 2}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Label24", "QLabel", "Frame3", {72, 8, 161, 17}, "(Tabela de referências cruzadas)", "", Shown, NotText, MSS, 8.25, Regular, Left);
    row("Form2", "lblKorvel", "QLabel", "Frame3", {8, 96, 185, 17}, "Referência Korvel", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label21", "QLabel", "Frame3", {472, 24, 121, 17}, "Familia", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label20", "QLabel", "Frame3", {8, 24, 305, 17}, "Busca por Referência Similar ou Referência antiga.", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label19", "QLabel", "Frame3", {472, 64, 121, 17}, "Fabricante", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "FrameDesenho", "QFrame", "Form2", {336, 368, 70, 41}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "BtnDesenho", "QLabel", "FrameDesenho", {40, 3, 25, 30}, "", "Clique para ver o desenho", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "ReferenciaNova", "QLineEdit", "Form2", {8, 344, 481, 19}, "", "", Shown, Editable, MSS, 8.25, Bold, Centre);
    row("Form2", "Composicao", "QTextEdit", "Form2", {8, 272, 481, 49}, "", "", Shown, Editable, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "CbxDesc", "ComboBox", "Form2", {8, 224, 697, 21}, "", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form2", "CbxRef", "ComboBox", "Form2", {8, 80, 417, 21}, "", "Utilize as setas do teclado CIMA/BAIXO para correr os códigos", Shown, NotText, MSS, 8.25, Bold, AnyAlign);
    row("Form2", "Frame2", "QFrame", "Form2", {0, 368, 489, 89}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "txtVolume", "QLineEdit", "Frame2", {184, 16, 137, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "Preco", "QLineEdit", "Frame2", {8, 68, 113, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "IPI", "QLineEdit", "Frame2", {128, 68, 33, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "Prazo", "QLineEdit", "Frame2", {208, 68, 65, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "Peso", "QLineEdit", "Frame2", {280, 68, 49, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "ICMS", "QLineEdit", "Frame2", {168, 68, 33, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "StatusVenda", "QLineEdit", "Frame2", {8, 16, 121, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "Grupo", "QLineEdit", "Frame2", {336, 68, 65, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "ClassFiscal", "QLineEdit", "Frame2", {408, 68, 81, 19}, "", "", Shown, NotEditable, MSS, 8.25, Regular, Centre);
    row("Form2", "Label5", "QLabel", "Frame2", {408, 8, 81, 25}, "Ver desenho Dimensões", "", Shown, NotText, MSS, 8.25, Bold, Centre);
    row("Form2", "Label2", "QLabel", "Frame2", {184, 0, 137, 17}, "Volume Embalagem(mm)", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label6", "QLabel", "Frame2", {32, 40, 57, 33}, "Preço Unit (R$)", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label7", "QLabel", "Frame2", {136, 40, 17, 33}, "IPI %", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label8", "QLabel", "Frame2", {208, 40, 65, 25}, "Prazo  dias úteis", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label9", "QLabel", "Frame2", {280, 40, 49, 33}, "  Peso   Kg", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label10", "QLabel", "Frame2", {168, 40, 33, 25}, "ICMS %", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label11", "QLabel", "Frame2", {8, 0, 121, 17}, "Status de venda", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label12", "QLabel", "Frame2", {336, 40, 65, 33}, "               Grupo", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Label13", "QLabel", "Frame2", {408, 40, 81, 33}, "    Classific.    Fiscal", "", Shown, NotText, MSS, 8.25, Regular, Centre);
    row("Form2", "Frame1", "QGroupBox", "Form2", {496, 264, 209, 201}, "Foto ilustrativa", "Clique para abrir a imagem com seu programa padrão", Shown, NotText, MSS, 8.25, Bold, AnyAlign);
    row("Form2", "Picture1", "QLabel", "Frame1", {4, 16, 139, 95}, "", "Clique para abrir a imagem com seu programa padrão", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image2", "QLabel", "Form2", {493, 0, 206, 60}, "", "Click aqui para Atualização do Software no Site Korvel.", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Imagee2", "QLabel", "Form2", {712, 160, 197, 138}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Imagee3", "QLabel", "Form2", {712, 312, 188, 145}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image4", "QLabel", "Form2", {712, 472, 193, 135}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image5", "QLabel", "Form2", {712, 8, 195, 136}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image6", "QLabel", "Form2", {712, 160, 189, 136}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image7", "QLabel", "Form2", {712, 312, 193, 137}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image8", "QLabel", "Form2", {712, 472, 195, 139}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Imagee1", "QLabel", "Form2", {712, 8, 193, 134}, "", "", Hidden, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Image3", "QLabel", "Form2", {436, 80, 271, 118}, "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    row("Form2", "Label1", "QLabel", "Form2", {144, 67, 137, 17}, "Korvel", "", Shown, NotText, MSS, 8.25, Regular, Left);
    row("Form2", "Label23", "QLabel", "Form2", {136, 208, 137, 17}, "Korvel", "", Shown, NotText, MSS, 8.25, Regular, Left);
    row("Form2", "LinkPrograma", "QLabel", "Form2", {264, 200, 441, 17}, "Link", "", Shown, NotText, Arial, 9, Regular, Right);
    row("Form2", "Label4", "QLabel", "Form2", {8, 328, 137, 17}, "Referência nova:", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label3", "QLabel", "Form2", {8, 256, 81, 17}, "Composição:", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "LabelVersao", "QLabel", "Form2", {8, 32, 393, 21}, "VERSAO", "", Shown, NotText, MSS, 8.25, Bold, Centre);
    row("Form2", "Label15", "QLabel", "Form2", {8, 208, 153, 17}, "Busca por Descrição", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label14", "QLabel", "Form2", {8, 67, 129, 17}, "Busca por Referência", "", Shown, NotText, MSS, 8.25, Bold, Left);
    row("Form2", "Label17", "QLabel", "Form2", {8, 16, 393, 26}, "Lumeo + Quiro", "", Shown, NotText, MSS, 12, Bold, Centre);
    row("Form2", "Label16", "QLabel", "Form2", {0, 0, 707, 58}, "", "", Shown, NotText, MSS, 13.5, Regular, Left);

    row("Form1", "Label1", "QLabel", "Form1", {8, 16, 225, 17}, "Caminho do Banco de informações", "", Shown, NotText, MSS, 8.25, Regular, Left);
    row("Form1", "Text1", "QLineEdit", "Form1", {8, 40, 377, 19}, "", "", Shown, Editable, MSS, 8.25, Regular, Left);
    row("Form1", "Command1", "QPushButton", "Form1", {392, 32, 41, 33}, "", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form1", "Command2", "QPushButton", "Form1", {40, 72, 113, 25}, "Testar conexão", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form1", "Command3", "QPushButton", "Form1", {160, 72, 113, 25}, "Salvar", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);
    row("Form1", "Command4", "QPushButton", "Form1", {280, 72, 113, 25}, "Cancelar", "", Shown, NotText, MSS, 8.25, Regular, AnyAlign);

    row("frmSai", "Frame2", "QGroupBox", "frmSai", {-2, 0, 341, 59}, "", "", Shown, NotText, Tahoma, 9, Bold, AnyAlign);
    row("frmSai", "Text1", "QLineEdit", "Frame2", {8, 18, 321, 32}, "Aguarde Carregando Programa!!!", "", Shown, NotEditable, MSS, 13.5, Bold, Centre);

    row("MDIForm1", "mdiArea", "QMdiArea", "MDIForm1", QRect(), "", "", Shown, NotText, NoFont, 0, Any, AnyAlign);
    // clang-format on
}

void TestLayouts::controls()
{
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(bool, visible);
    QFETCH(int, editing);
    QFETCH(QString, family);
    QFETCH(qreal, pointSize);
    QFETCH(int, weight);
    QFETCH(int, alignment);

    QWidget* root = this->form(form);
    QVERIFY(root);
    QWidget* widget = root->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    widget->ensurePolished();

    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (!geometry.isNull())
        QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(shownText(widget), text);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(widget->isVisibleTo(widget->parentWidget()), visible);
    QCOMPARE(::editing(widget), editing);
    if (!family.isEmpty()) {
        QCOMPARE(widget->font().family(), family);
        QCOMPARE(widget->font().pointSizeF(), pointSize);
    }
    if (weight != Any)
        QCOMPARE(widget->font().bold(), weight == Bold);
    if (alignment != AnyAlign)
        QCOMPARE(horizontalAlignment(widget), alignment);
}

void TestLayouts::tabOrder_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("Form2") << "Form2"
                           << QStringList{"CbxRef",      "CbxDesc",       "ClassFiscal", "Grupo",
                                          "StatusVenda", "ICMS",          "Peso",        "Prazo",
                                          "IPI",         "Preco",         "Composicao",  "ReferenciaNova",
                                          "txtVolume",   "comReferences", "comFamilies", "comCompanies"};
    QTest::newRow("Form1") << "Form1" << QStringList{"Text1", "Command1", "Command2", "Command3", "Command4"};
}

void TestLayouts::tabOrder()
{
    QFETCH(QString, form);
    QFETCH(QStringList, order);

    // Follows the focus chain once round from the first control and keeps the named controls
    // that the Tab key stops at.
    QWidget* root = this->form(form);
    QWidget* first = root->findChild<QWidget*>(order.first());
    QVERIFY(first);
    QStringList reached;
    QWidget* widget = first;
    do {
        const bool named =
            !widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_"));
        if (named && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(root) &&
            widget->isEnabled() && !widget->focusProxy() && widget != root)
            reached << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    QCOMPARE(reached, order);
}

void TestLayouts::noTabStop_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("txtDetalhes") << "txtDetalhes";
    QTest::newRow("lblQuiro") << "lblQuiro";
    QTest::newRow("CbxDesc1") << "CbxDesc1";
}

void TestLayouts::noTabStop()
{
    // Skipped by Tab, yet the text can still be selected with the mouse and copied.
    QFETCH(QString, name);
    QWidget* widget = m_form2.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->focusPolicy(), Qt::ClickFocus);
}

void TestLayouts::stacking_data()
{
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");

    QTest::newRow("notes over the cross-reference frame") << "txtDetalhes"
                                                          << "Frame3";
    QTest::newRow("drawing button over the details") << "FrameDesenho"
                                                     << "Frame2";
    QTest::newRow("header picture over the band") << "Image2"
                                                  << "Label16";
    QTest::newRow("title over the band") << "Label17"
                                         << "Label16";
    QTest::newRow("version over the band") << "LabelVersao"
                                           << "Label16";
    QTest::newRow("description heading over its neighbour") << "Label23"
                                                            << "Label15";
    QTest::newRow("description heading over the link") << "Label23"
                                                       << "LinkPrograma";
    QTest::newRow("new reference over its heading") << "ReferenciaNova"
                                                    << "Label4";
    QTest::newRow("F2 hint over the top line") << "Label26"
                                               << "Line1";
    QTest::newRow("alert over the right line") << "fraAlerta"
                                               << "Line3";
}

void TestLayouts::stacking()
{
    // Of two siblings, the later child is drawn on top.
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QWidget* top = m_form2.findChild<QWidget*>(upper);
    QWidget* bottom = m_form2.findChild<QWidget*>(lower);
    QVERIFY(top && bottom);
    QCOMPARE(top->parent(), bottom->parent());
    const QObjectList& siblings = top->parent()->children();
    QVERIFY(siblings.indexOf(top) > siblings.indexOf(bottom));
}

void TestLayouts::images_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("stretched");

    QTest::newRow("Image2") << "Image2" << QSize(288, 102) << true;
    QTest::newRow("Image3") << "Image3" << QSize(543, 338) << true;
    QTest::newRow("Imagee1") << "Imagee1" << QSize(193, 134) << false;
    QTest::newRow("Imagee2") << "Imagee2" << QSize(197, 138) << false;
    QTest::newRow("Imagee3") << "Imagee3" << QSize(188, 145) << false;
    QTest::newRow("Image4") << "Image4" << QSize(193, 135) << false;
    QTest::newRow("Image5") << "Image5" << QSize(195, 136) << false;
    QTest::newRow("Image6") << "Image6" << QSize(189, 136) << false;
    QTest::newRow("Image7") << "Image7" << QSize(193, 137) << false;
    QTest::newRow("Image8") << "Image8" << QSize(195, 139) << false;
    QTest::newRow("BtnDesenho") << "BtnDesenho" << QSize(25, 30) << false;
    QTest::newRow("Picture1") << "Picture1" << QSize() << true;
}

void TestLayouts::images()
{
    QFETCH(QString, name);
    QFETCH(QSize, picture);
    QFETCH(bool, stretched);
    auto label = m_form2.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->pixmap().size(), picture.isValid() ? picture : QSize(0, 0));
    QCOMPARE(label->hasScaledContents(), stretched);
    if (!stretched)
        QCOMPARE(label->size(), picture);
}

void TestLayouts::colours_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("back");

    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const QColor navy(0x00, 0x00, 0x80);
    const QColor grey(0xC0, 0xC0, 0xC0);
    const QColor deepBlue(0x00, 0x00, 0xC0);
    const QColor red(0xC0, 0x00, 0x00);
    const QColor none;

    QTest::newRow("Label16") << "Form2"
                             << "Label16" << navy << QColor(Qt::white);
    QTest::newRow("Label17") << "Form2"
                             << "Label17" << navy << QColor(Qt::white);
    QTest::newRow("LabelVersao") << "Form2"
                                 << "LabelVersao" << navy << QColor(Qt::white);
    QTest::newRow("Label14") << "Form2"
                             << "Label14" << highlight << none;
    QTest::newRow("Label15") << "Form2"
                             << "Label15" << highlight << none;
    QTest::newRow("Label1") << "Form2"
                            << "Label1" << highlight << none;
    QTest::newRow("Label23") << "Form2"
                             << "Label23" << highlight << none;
    QTest::newRow("LinkPrograma") << "Form2"
                                  << "LinkPrograma" << QColor(0, 0, 0xFF) << none;
    QTest::newRow("ReferenciaNova") << "Form2"
                                    << "ReferenciaNova" << QColor(0xFF, 0, 0) << none;
    QTest::newRow("txtDetalhes") << "Form2"
                                 << "txtDetalhes" << QColor(Qt::black) << grey;
    QTest::newRow("CbxDesc1") << "Form2"
                              << "CbxDesc1" << QColor(Qt::black) << grey;
    QTest::newRow("lblQuiro") << "Form2"
                              << "lblQuiro" << deepBlue << none;
    QTest::newRow("Frame3") << "Form2"
                            << "Frame3" << QColor(0, 0, 0xFF) << grey;
    QTest::newRow("fraAlerta") << "Form2"
                               << "fraAlerta" << none << grey;
    QTest::newRow("Label22") << "Form2"
                             << "Label22" << red << grey;
    QTest::newRow("Label25") << "Form2"
                             << "Label25" << deepBlue << grey;
    QTest::newRow("Label26") << "Form2"
                             << "Label26" << red << grey;
    QTest::newRow("Label20") << "Form2"
                             << "Label20" << deepBlue << grey;
    QTest::newRow("Line1") << "Form2"
                           << "Line1" << none << QColor(0, 0, 0xFF);
    QTest::newRow("Preco") << "Form2"
                           << "Preco" << QColor(Qt::black) << none;
    QTest::newRow("frmSai Text1") << "frmSai"
                                  << "Text1" << QColor(0, 0, 0xFF) << QColor(Qt::white);
}

void TestLayouts::colours()
{
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QColor, text);
    QFETCH(QColor, back);
    QWidget* widget = this->form(form)->findChild<QWidget*>(name);
    QVERIFY(widget);
    widget->ensurePolished();
    if (text.isValid())
        QCOMPARE(widget->palette().color(widget->foregroundRole()), text);
    if (back.isValid())
        QCOMPARE(widget->palette().color(widget->backgroundRole()), back);
}

void TestLayouts::windows_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("icon");

    QTest::newRow("Form2") << "Form2"
                           << "Consulta" << QSize(891, 636) << true;
    QTest::newRow("MDIForm1") << "MDIForm1"
                              << "Korvel : Lumeo" << QSize(614, 464) << true;
    QTest::newRow("Form1") << "Form1"
                           << "Configurar" << QSize(439, 102) << true;
    QTest::newRow("frmSai") << "frmSai"
                            << "" << QSize(337, 58) << false;
}

void TestLayouts::windows()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(bool, icon);
    QWidget* root = this->form(form);
    QVERIFY(root);
    QCOMPARE(root->windowTitle(), title);
    QCOMPARE(root->size(), size);
    if (icon)
        QVERIFY(root->windowIcon().availableSizes().contains(QSize(32, 32)));
}

void TestLayouts::menu_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Configurar") << 0 << "Configurar"
                                << "&Configurar";
    QTest::newRow("Pesquisar") << 1 << "Pesquisar"
                               << "&Nova janela";
    QTest::newRow("Sair") << 2 << "Sair"
                          << "&Sair";
    // The window menu of multiple-document programs, after the design's commands.
    QTest::newRow("mnuJanela") << 3 << "mnuJanela"
                               << "&Janela";
}

void TestLayouts::menu()
{
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    const QList<QAction*> actions = m_mdiForm1.menuBar()->actions();
    QCOMPARE(actions.size(), 4);
    QAction* action = actions.at(position);
    QCOMPARE(action->menu() ? action->menu()->objectName() : action->objectName(), name);
    QCOMPARE(action->text(), caption);
    QCOMPARE(bool(action->menu()), name == "mnuJanela");
    QVERIFY(action->shortcut().isEmpty());
}

void TestLayouts::pictureFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("detail");

    QTest::newRow("header") << "header.jpg" << QByteArray("jpeg") << QSize(288, 102) << "";
    QTest::newRow("decoration") << "panel.bmp" << QByteArray("bmp") << QSize(543, 338) << "24-bit";
    QTest::newRow("breakers") << "breakers.jpg" << QByteArray("jpeg") << QSize(193, 134) << "";
    QTest::newRow("sockets") << "sockets.jpg" << QByteArray("jpeg") << QSize(197, 138) << "";
    QTest::newRow("contactors") << "contactors.jpg" << QByteArray("jpeg") << QSize(188, 145) << "";
    QTest::newRow("lamps") << "lamps.jpg" << QByteArray("jpeg") << QSize(193, 135) << "";
    QTest::newRow("cables") << "cables.jpg" << QByteArray("jpeg") << QSize(195, 136) << "";
    QTest::newRow("switches") << "switches.jpg" << QByteArray("jpeg") << QSize(189, 136) << "";
    QTest::newRow("plugs") << "plugs.jpg" << QByteArray("jpeg") << QSize(193, 137) << "";
    QTest::newRow("fuses") << "fuses.jpg" << QByteArray("jpeg") << QSize(195, 139) << "";
    QTest::newRow("drawing button") << "drawing.bmp" << QByteArray("bmp") << QSize(25, 30) << "24-bit";
    QTest::newRow("program icon") << "program.ico" << QByteArray("ico") << QSize(32, 32) << "32x32/8 16x16/8";
    QTest::newRow("dialog icon") << "dialog.ico" << QByteArray("ico") << QSize(32, 32)
                                 << "32x32/8 32x32/4 32x32/1 16x16/8 16x16/4 16x16/1";
    QTest::newRow("browse icon") << "browse.ico" << QByteArray("ico") << QSize(32, 32) << "32x32/4 16x16/4";
    QTest::newRow("magnifier") << "magnifier.xbm" << QByteArray("xbm") << QSize(32, 32) << "1-bit";
    QTest::newRow("magnifier mask") << "magnifier-mask.xbm" << QByteArray("xbm") << QSize(32, 32) << "1-bit";
    QTest::newRow("hand") << "hand.png" << QByteArray("png") << QSize(24, 24) << "alpha";
}

void TestLayouts::pictureFiles()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(QString, detail);
    const QString path = QStringLiteral(":/pictures/") + file;
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size(), size);
    QVERIFY(!reader.read().isNull());
    QCOMPARE(pictureDetail(path, format), detail);
}

void TestLayouts::fontSubstitutes_data()
{
    QTest::addColumn<QString>("designed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("Tahoma") << "Tahoma"
                            << "Tahoma";
}

void TestLayouts::fontSubstitutes()
{
    QFETCH(QString, designed);
    QFETCH(QString, shown);
    QCOMPARE(QFontInfo(QFont(designed, 9)).family(), shown);
}

void TestLayouts::pointers()
{
    const QCursor magnifier = Pictures::magnifierCursor();
    QCOMPARE(magnifier.shape(), Qt::BitmapCursor);
    QCOMPARE(magnifier.bitmap().size(), QSize(32, 32));
    QCOMPARE(magnifier.mask().size(), QSize(32, 32));
    QCOMPARE(magnifier.hotSpot(), QPoint(12, 12));

    const QCursor hand = Pictures::handCursor();
    QCOMPARE(hand.shape(), Qt::BitmapCursor);
    QCOMPARE(hand.pixmap().size(), QSize(24, 24));
    QCOMPARE(hand.hotSpot(), QPoint(9, 1));
}

void TestLayouts::icons()
{
    for (const QIcon& icon : {Pictures::programIcon(), Pictures::dialogIcon(), Pictures::browseIcon()}) {
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    }
    const QPixmap header = Pictures::picture(QStringLiteral("header.jpg"));
    QCOMPARE(header.size(), QSize(288, 102));
    QCOMPARE(Pictures::picture(QStringLiteral("header.jpg")).cacheKey(), header.cacheKey());
    QVERIFY(Pictures::picture(QStringLiteral("missing.png")).isNull());
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
