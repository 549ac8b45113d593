#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WindowText.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

// Entries offered while the user types in the reference and description boxes.
class TestOffers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void referencesMatchWithOtherSeparatorsAndCase_data();
    void referencesMatchWithOtherSeparatorsAndCase();
    void descriptionsMatchWordsInAnyOrder_data();
    void descriptionsMatchWordsInAnyOrder();
    void openFromTheSecondCharacterAndNeverForProgramTexts();
    void enterWithNothingHighlightedIsTheTypedText();
    void enterWithNothingHighlightedInTheOtherBoxes();
    void choosingAnOfferRunsTheLookupOnce();
    void aClickedOfferIsResolved();
    void escapeAndLeavingCloseAndArrowsStepTheList();
    void offersFollowFiltersAndF2();
    void windowsShareTheOffersOfOneList();

private:
    // Types as the user does, one key at a time, into the box with the focus.
    void type(const char* box, const QString& text);
    void key(const char* box, Qt::Key key);
    ComboBox* combo(const char* name) const;
    QListView* offerList(const char* box) const;
    QStringList offers(const char* box) const;
    bool offerShown(const char* box) const;
    QString text(const char* name) const { return textOf(m_window.get(), QString::fromLatin1(name)); }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<RecordingPlatform> m_platform;
    std::unique_ptr<Form2> m_window;
};

namespace {

// References typed as they are printed, with other separators, in other case and with accents.
void writeCatalogue(const QString& path)
{
    TestCatalogue catalogue(path);
    catalogue.addProduct(1, QStringLiteral("AX-2015/1BP"),
                         QStringLiteral("Disjuntor caixa moldada 3P 100 A"));
    catalogue.addProduct(2, QStringLiteral("AX2015-1BX"), QStringLiteral("Contator tripolar 25 A"));
    catalogue.addProduct(3, QStringLiteral("Ax 2015.1BQ"), QString::fromUtf8("Relé Térmico de sobrecarga"));
    catalogue.addProduct(4, QStringLiteral("AX-2016"), QStringLiteral("Disjuntor motor 10 A"));
    catalogue.addProduct(5, QStringLiteral("AX-2015/1BP-E"), QStringLiteral("DISJUNTOR TRIPOLAR 25 A"));
    catalogue.addProduct(6, QString::fromUtf8("ÇA-10"), QStringLiteral("Caixa de passagem"));
    catalogue.addProduct(7, QStringLiteral("BX-1"), QStringLiteral("Botoeira"));

    const QString eletramax = QStringLiteral("ELETRAMAX");
    const QString voltrix = QStringLiteral("VOLTRIX");
    catalogue.addRelation(QStringLiteral("AC-100/2"), eletramax, QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("AX-2015/1BP"), QStringLiteral("QV"), QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("AC 1-01"), voltrix, QStringLiteral("DJ"), 2);
    catalogue.addRelation(QStringLiteral("AX-2016"), QStringLiteral("QV"), QStringLiteral("DJ"), 2);
    catalogue.addRelation(QStringLiteral("ac1.02"), eletramax, QStringLiteral("TM"), 3);
    catalogue.addRelation(QStringLiteral("ACX-1"), voltrix, QStringLiteral("TM"), 4);
    catalogue.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
    catalogue.addFamily(QStringLiteral("TM"), QStringLiteral("Tomadas"));
    catalogue.finish();
}

} // namespace

void TestOffers::init()
{
    m_program = std::make_unique<TestProgram>();
    m_platform = std::make_unique<RecordingPlatform>();
    writeCatalogue(m_program->catalogue());
    Module1::DatabasePath = m_program->catalogue();
    QVERIFY(OpenCatalogue());
    m_window = openSearchWindow();
}

void TestOffers::cleanup()
{
    m_window.reset();
    m_platform.reset();
    m_program.reset();
}

ComboBox* TestOffers::combo(const char* name) const
{
    auto* box = m_window->findChild<ComboBox*>(QString::fromLatin1(name));
    if (!box)
        qFatal("no combo box %s", name);
    return box;
}

void TestOffers::type(const char* box, const QString& text)
{
    combo(box)->setFocus();
    typeText(combo(box), text);
}

void TestOffers::key(const char* box, Qt::Key key)
{
    QTest::keyClick(combo(box), key);
}

QListView* TestOffers::offerList(const char* box) const
{
    return m_window->findChild<QListView*>(QString::fromLatin1(box) + QStringLiteral("Offers"));
}

bool TestOffers::offerShown(const char* box) const
{
    QListView* list = offerList(box);
    return list && list->isVisible();
}

QStringList TestOffers::offers(const char* box) const
{
    QStringList shown;
    if (!offerShown(box))
        return shown;
    QAbstractItemModel* model = offerList(box)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        shown.append(model->index(row, 0).data().toString());
    return shown;
}

void TestOffers::referencesMatchWithOtherSeparatorsAndCase_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");

    // Nothing begins with the text as typed: all in the list's order.
    QTest::newRow("blanks for other separators")
        << "CbxRef"
        << "ax 2015 1b" << QStringList{"Ax 2015.1BQ", "AX-2015/1BP", "AX-2015/1BP-E", "AX2015-1BX"};
    // What begins with the text as typed comes first.
    QTest::newRow("as typed first") << "CbxRef"
                                    << "ax2015"
                                    << QStringList{"AX2015-1BX", "Ax 2015.1BQ", "AX-2015/1BP",
                                                   "AX-2015/1BP-E"};
    QTest::newRow("separators typed") << "CbxRef"
                                      << "ax.2015/1BP" << QStringList{"AX-2015/1BP", "AX-2015/1BP-E"};
    QTest::newRow("accented capitals")
        << "CbxRef" << QString::fromUtf8("ça 1") << QStringList{QString::fromUtf8("ÇA-10")};
    QTest::newRow("one letter and a separator") << "CbxRef"
                                                << "b-" << QStringList{"BX-1"};
    QTest::newRow("competitor, as typed first") << "comReferences"
                                                << "ac1" << QStringList{"ac1.02", "AC 1-01", "AC-100/2"};
    QTest::newRow("competitor, with a blank") << "comReferences"
                                              << "AC 1" << QStringList{"AC 1-01", "AC-100/2", "ac1.02"};
}

void TestOffers::referencesMatchWithOtherSeparatorsAndCase()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    const QByteArray name = box.toLatin1();
    type(name.constData(), typed);
    QCOMPARE(offers(name.constData()), offered);
    QCOMPARE(text(name.constData()), typed); // the offer leaves the typed text alone
    QVERIFY(m_platform->messages.isEmpty());
}

void TestOffers::descriptionsMatchWordsInAnyOrder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("out of order") << "tripolar disj" << QStringList{"DISJUNTOR TRIPOLAR 25 A"};
    QTest::newRow("parts of words, any case")
        << "25 TRIP" << QStringList{"Contator tripolar 25 A", "DISJUNTOR TRIPOLAR 25 A"};
    QTest::newRow("accented capitals")
        << QString::fromUtf8("TÉRMICO relé") << QStringList{QString::fromUtf8("Relé Térmico de sobrecarga")};
    QTest::newRow("one word missing") << "disjuntor bipolar" << QStringList();
}

void TestOffers::descriptionsMatchWordsInAnyOrder()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    type("CbxDesc", typed);
    QCOMPARE(offers("CbxDesc"), offered);
    QCOMPARE(text("CbxDesc"), typed);
}

void TestOffers::openFromTheSecondCharacterAndNeverForProgramTexts()
{
    type("CbxRef", QStringLiteral("a"));
    QVERIFY(!offerShown("CbxRef"));
    type("CbxRef", QStringLiteral("x"));
    QCOMPARE(offers("CbxRef").size(), 5);
    // Deleting back to one character closes it.
    key("CbxRef", Qt::Key_Backspace);
    QVERIFY(!offerShown("CbxRef"));

    // The lookup writes the product's reference and description into both boxes.
    combo("CbxRef")->lineEdit()->selectAll();
    type("CbxRef", QStringLiteral("AX-2016"));
    key("CbxRef", Qt::Key_Return);
    QCOMPARE(text("CbxDesc"), QStringLiteral("Disjuntor motor 10 A"));
    QVERIFY(!offerShown("CbxRef"));
    QVERIFY(!offerShown("CbxDesc"));
    combo("comReferences")->setEditText(QStringLiteral("AC-1"));
    QVERIFY(!offerShown("comReferences"));
}

void TestOffers::enterWithNothingHighlightedIsTheTypedText()
{
    QSignalSpy clicks(combo("CbxRef"), &ComboBox::Click);

    // Looked up directly: the typed text, not an offer, is searched. Nothing begins with it as
    // typed; the first reference in the catalogue's order that begins with it once separators
    // are aside is shown.
    type("CbxRef", QStringLiteral("AX2015/"));
    QVERIFY(offerShown("CbxRef"));
    key("CbxRef", Qt::Key_Return);
    QVERIFY(!offerShown("CbxRef"));
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(text("CbxRef"), QStringLiteral("Ax 2015.1BQ"));

    // Nothing begins with it in any way: after a manufacturer choice (Contador 1), no message,
    // the box emptied, the text in lblQuiro.
    combo("comCompanies")->setFocus();
    combo("comCompanies")->setEditText(QStringLiteral("ELETRAMAX"));
    key("comCompanies", Qt::Key_Return);
    QCOMPARE(m_window->contador(), 1);
    type("CbxRef", QStringLiteral("AX2017"));
    key("CbxRef", Qt::Key_Return);
    QVERIFY(m_platform->messages.isEmpty());
    QVERIFY(text("CbxRef").isEmpty());
    QCOMPARE(text("lblQuiro"), QStringLiteral("AX2017 "));
    QCOMPARE(m_window->contador(), 0);

    // A typed beginning that exists shows the first product found, as before.
    combo("CbxRef")->lineEdit()->selectAll();
    type("CbxRef", QStringLiteral("ax-2016"));
    key("CbxRef", Qt::Key_Return);
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(text("CbxRef"), QStringLiteral("AX-2016"));
    QCOMPARE(clicks.count(), 0); // none of the three was a choice
}

void TestOffers::enterWithNothingHighlightedInTheOtherBoxes()
{
    type("comReferences", QStringLiteral("ac1"));
    QVERIFY(offerShown("comReferences"));
    key("comReferences", Qt::Key_Return);
    QCOMPARE(m_platform->messageTexts(), QStringList{QString::fromUtf8("Referência não existe")});
    QCOMPARE(text("comReferences"), QStringLiteral("ac1"));

    // The description's last resort finds what the offer shows: every word, in any order.
    m_platform->clear();
    type("CbxDesc", QStringLiteral("tripolar disj"));
    QVERIFY(offerShown("CbxDesc"));
    key("CbxDesc", Qt::Key_Return);
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(text("CbxDesc"), QStringLiteral("DISJUNTOR TRIPOLAR 25 A"));
}

void TestOffers::choosingAnOfferRunsTheLookupOnce()
{
    ComboBox* box = combo("CbxRef");
    QSignalSpy clicks(box, &ComboBox::Click);
    QSignalSpy presses(box, &ComboBox::KeyPress);
    type("CbxRef", QStringLiteral("ax 2015 1b"));
    key("CbxRef", Qt::Key_Down);
    key("CbxRef", Qt::Key_Down);
    key("CbxRef", Qt::Key_Up);
    QCOMPARE(text("CbxRef"), QStringLiteral("ax 2015 1b")); // highlighting leaves the text alone
    QVERIFY(clicks.isEmpty());
    key("CbxRef", Qt::Key_Return);

    QVERIFY(!offerShown("CbxRef"));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(presses.count(), 10); // the typed characters; the Enter that chose is the offer's
    QCOMPARE(text("CbxRef"), QStringLiteral("Ax 2015.1BQ"));
    QCOMPARE(text("CbxDesc"), QString::fromUtf8("Relé Térmico de sobrecarga"));
    QVERIFY(m_platform->messages.isEmpty());

    // Up from the first offer leaves nothing highlighted: Enter is then the typed text's.
    combo("CbxRef")->lineEdit()->selectAll();
    type("CbxRef", QStringLiteral("AX-2015/1"));
    key("CbxRef", Qt::Key_Down);
    key("CbxRef", Qt::Key_Up);
    key("CbxRef", Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(text("CbxRef"), QStringLiteral("AX-2015/1BP"));
}

void TestOffers::aClickedOfferIsResolved()
{
    ComboBox* box = combo("comReferences");
    QSignalSpy clicks(box, &ComboBox::Click);
    type("comReferences", QStringLiteral("ac 100"));
    QCOMPARE(offers("comReferences"), QStringList{"AC-100/2"});
    QListView* list = offerList("comReferences");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(0, 0)).center());
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!offerShown("comReferences"));
    QCOMPARE(text("comReferences"), QStringLiteral("AC-100/2"));
    QCOMPARE(text("comCompanies"), QStringLiteral("ELETRAMAX"));
    QCOMPARE(text("lblQuiro"), QStringLiteral("AX-2015/1BP "));
    QCOMPARE(text("CbxRef"), QStringLiteral("AX-2015/1BP"));
    QVERIFY(!offerShown("CbxRef")); // set by the resolution, not typed
    QVERIFY(m_platform->messages.isEmpty());
}

void TestOffers::escapeAndLeavingCloseAndArrowsStepTheList()
{
    ComboBox* box = combo("CbxRef");
    const QStringList entries = box->entries();
    QSignalSpy clicks(box, &ComboBox::Click);
    type("CbxRef", QStringLiteral("ax2016"));
    QVERIFY(offerShown("CbxRef"));
    key("CbxRef", Qt::Key_Escape);
    QVERIFY(!offerShown("CbxRef"));
    QCOMPARE(text("CbxRef"), QStringLiteral("ax2016"));

    // Closed, the arrows step through the list from where the typed text stands in it, one
    // lookup a step.
    key("CbxRef", Qt::Key_Down);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(text("CbxRef"), QStringLiteral("BX-1"));
    QVERIFY(!offerShown("CbxRef"));

    // The offer chosen is the box's current entry: the arrows step on from it.
    combo("CbxRef")->lineEdit()->selectAll();
    type("CbxRef", QStringLiteral("ax2015"));
    key("CbxRef", Qt::Key_Down);
    key("CbxRef", Qt::Key_Return);
    QCOMPARE(text("CbxRef"), QStringLiteral("AX2015-1BX"));
    const int at = int(entries.indexOf(QStringLiteral("AX2015-1BX")));
    key("CbxRef", Qt::Key_Up);
    QCOMPARE(text("CbxRef"), entries.at(at - 1));
    QCOMPARE(text("CbxDesc"), QStringLiteral("Disjuntor motor 10 A"));
    key("CbxRef", Qt::Key_Down);
    key("CbxRef", Qt::Key_Down);
    QCOMPARE(text("CbxRef"), entries.at(at + 1));
    QCOMPARE(clicks.count(), 5);
    QVERIFY(!offerShown("CbxRef"));

    // The focus leaving closes it.
    combo("CbxRef")->lineEdit()->selectAll();
    type("CbxRef", QStringLiteral("ax"));
    QVERIFY(offerShown("CbxRef"));
    combo("CbxDesc")->setFocus();
    QVERIFY(!offerShown("CbxRef"));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestOffers::offersFollowFiltersAndF2()
{
    combo("comCompanies")->setFocus();
    combo("comCompanies")->setEditText(QStringLiteral("ELETRAMAX"));
    key("comCompanies", Qt::Key_Return);
    type("comReferences", QStringLiteral("ac 1"));
    QCOMPARE(offers("comReferences"), QStringList({"AC-100/2", "ac1.02"}));

    combo("comFamilies")->setFocus();
    combo("comFamilies")->setEditText(QStringLiteral("Tomadas"));
    key("comFamilies", Qt::Key_Return);
    type("comReferences", QStringLiteral("ac1"));
    QCOMPARE(offers("comReferences"), QStringList{"ac1.02"});

    key("comReferences", Qt::Key_F2);
    QVERIFY(!offerShown("comReferences"));
    type("comReferences", QStringLiteral("ac 1"));
    QCOMPARE(offers("comReferences"), QStringList({"AC 1-01", "AC-100/2", "ac1.02"}));

    // The list changing under an open offer: the offer is made again from the new list.
    combo("comReferences")->setEntries(QStringList{"AC-1", "B-2"});
    QCOMPARE(offers("comReferences"), QStringList{"AC-1"});
    QCOMPARE(text("comReferences"), QStringLiteral("ac 1"));
}

void TestOffers::windowsShareTheOffersOfOneList()
{
    type("CbxRef", QStringLiteral("ax"));
    const qsizetype held = Module1::Opened().offersBytes();
    QVERIFY(held > 0);
    std::unique_ptr<Form2> second = openSearchWindow();
    QCOMPARE(Module1::Opened().offersBytes(), held);
    auto* box = second->findChild<ComboBox*>(QStringLiteral("CbxRef"));
    box->setFocus();
    typeText(box, QStringLiteral("ax 2016"));
    QCOMPARE(second->findChild<QListView*>(QStringLiteral("CbxRefOffers"))->model()->rowCount(), 1);

    // A filtered list has offers of its own, while the other window keeps those of the full list;
    // F2 reads the same full list again and shares them once more.
    combo("comCompanies")->setFocus();
    combo("comCompanies")->setEditText(QStringLiteral("VOLTRIX"));
    key("comCompanies", Qt::Key_Return);
    QVERIFY(Module1::Opened().offersBytes() > held);
    key("comCompanies", Qt::Key_F2);
    QCOMPARE(Module1::Opened().offersBytes(), held);
    second.reset();
    QCOMPARE(Module1::Opened().offersBytes(), held);
}

QTEST_MAIN(TestOffers)
#include "tst_offers.moc"
