#include "SearchWindowFixture.h"
#include "ui/config/Form1.h"
#include "ui/platform/Fonts.h"
#include "ui/search/Form2.h"

#include <QLabel>
#include <QStyle>
#include <QTest>
#include <QTextLayout>
#include <QtMath>

#include <memory>

namespace {

// One line of a caption as its label draws it: the text the user can read on it (without
// the blanks around it) and where its ink lies, relative to the label's text area.
struct ShownLine
{
    QString words;
    QRectF area;
};

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar::Nbsp;
}

// Lays the caption out as a label draws plain text: in its contents rectangle less margin
// and indent, broken at blanks when word wrap is on, each line placed by the alignment.
QList<ShownLine> layOut(const QLabel* label, QRectF* textArea)
{
    QRectF area = label->contentsRect();
    const int margin = label->margin();
    area.adjust(margin, margin, -margin, -margin);
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    const int indent = label->indent() < 0 ? 0 : label->indent();
    if (align & Qt::AlignLeft)
        area.setLeft(area.left() + indent);
    else if (align & Qt::AlignRight)
        area.setRight(area.right() - indent);
    *textArea = area;

    const QString text = label->text();
    QTextLayout layout(text, label->font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(label->font()).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        if (line.lineNumber() > 0)
            height = qCeil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();

    qreal top = 0;
    if (align & Qt::AlignBottom)
        top = area.height() - height;
    else if (align & Qt::AlignVCenter)
        top = (area.height() - height) / 2;
    QList<ShownLine> lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        qreal left = 0;
        if (align & Qt::AlignRight)
            left = area.width() - line.horizontalAdvance();
        else if (align & Qt::AlignHCenter)
            left = (area.width() - line.horizontalAdvance()) / 2;
        int first = line.textStart();
        int end = line.textStart() + line.textLength();
        while (first < end && isBlank(text.at(first)))
            ++first;
        while (end > first && isBlank(text.at(end - 1)))
            --end;
        // The ink of the words, placed from their line's start and baseline; glyphs are drawn
        // on whole pixels down the label.
        const QString words = text.mid(first, end - first);
        const QRectF ink = QFontMetricsF(label->font()).tightBoundingRect(words);
        const QPointF origin(left + line.cursorToX(first), qRound(top + line.y() + line.ascent()));
        lines.append({words, words.isEmpty() ? QRectF() : ink.translated(origin)});
    }
    return lines;
}

// The windows that hold labels, shown as the user gets them: the search window over the
// test catalogue (its version and link captions come from there) and the configuration
// dialog.
struct Windows
{
    SearchWindowFixture search;
    QWidget mainWindow;
    std::unique_ptr<Form1> configuration{new Form1(&mainWindow)};

    Windows() { configuration->show(); }
    QList<QWidget*> all() const { return {search.window(), configuration.get()}; }
};

} // namespace

// Every caption of every window, laid out in its label's font and box as the label draws it,
// shows each of its words whole; the narrow captions of the product panel break where the
// design puts their blanks.
class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void everyWordIsShownWhole();
    void captionsBreakAsDesigned_data();
    void captionsBreakAsDesigned();
};

void TestCaptions::everyWordIsShownWhole()
{
    Windows windows;
    int checked = 0;
    for (QWidget* window : windows.all()) {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || label->objectName().isEmpty())
                continue;
            label->ensurePolished();
            QRectF area;
            const QList<ShownLine> lines = layOut(label, &area);
            const QRectF box(QPointF(0, 0), area.size());
            for (const ShownLine& line : lines) {
                if (line.words.isEmpty())
                    continue;
                const QString where = QStringLiteral("%1/%2: \"%3\" at %4,%5 %6x%7 in %8x%9")
                                          .arg(window->objectName(), label->objectName(), line.words)
                                          .arg(line.area.x())
                                          .arg(line.area.y())
                                          .arg(line.area.width())
                                          .arg(line.area.height())
                                          .arg(box.width())
                                          .arg(box.height());
                QVERIFY2(box.contains(line.area), qPrintable(where));
            }
            ++checked;
        }
    }
    // The search window alone has 26 captions, the configuration dialog one.
    QVERIFY2(checked >= 27, qPrintable(QString::number(checked)));
}

void TestCaptions::captionsBreakAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");

    // The leading blanks fill the first line on their own: "Grupo" stands on the second.
    QTest::newRow("Label12") << "Label12" << QStringList{"", "Grupo"};
    QTest::newRow("Label13") << "Label13" << QStringList{"Classific.", "Fiscal"};
    QTest::newRow("Label9") << "Label9" << QStringList{"Peso", "Kg"};
    QTest::newRow("Label8") << "Label8" << QStringList{"Prazo  dias", QString::fromUtf8("úteis")};
    QTest::newRow("Label7") << "Label7" << QStringList{"IPI", "%"};
    QTest::newRow("Label10") << "Label10" << QStringList{"ICMS", "%"};
    QTest::newRow("Label6") << "Label6" << QStringList{QString::fromUtf8("Preço Unit"), "(R$)"};
}

void TestCaptions::captionsBreakAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    SearchWindowFixture f;
    auto* label = f.window()->findChild<QLabel*>(name);
    QVERIFY(label);
    label->ensurePolished();
    QRectF area;
    QStringList shown;
    for (const ShownLine& line : layOut(label, &area))
        shown << line.words;
    QCOMPARE(shown, lines);
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
