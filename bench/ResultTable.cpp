#include "ResultTable.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWindowBudgetMs = 100;
constexpr double kLookupBudgetMs = 20;
constexpr double kConversionBudgetMs = 1500;
constexpr double kFrameMs = 16; // one frame at 60 Hz
constexpr double kCheckBudgetMs = 0.1;
constexpr double kBareFactor = 1.5;
constexpr double kStartFactor = 1.5;
constexpr double kFilterFactor = 1.3;
constexpr double kPeakBudgetMb = 400;
constexpr double kOffersBudgetMb = 100;

QString ms(double value)
{
    if (std::isnan(value))
        return QStringLiteral("-");
    return QString::number(value, 'f', value < 0.1 ? 4 : value < 10 ? 2 : 1);
}

QString ratio(double program, double bare)
{
    if (std::isnan(bare) || bare <= 0)
        return QStringLiteral("-");
    return QString::number(program / bare, 'f', 2);
}

// The fastest and the slowest round.
QString spread(const Measurement& m)
{
    if (std::isnan(m.fastestMs))
        return QStringLiteral("-");
    return ms(m.fastestMs) + QChar(0x2013) + ms(m.slowestMs);
}

QString plain(const QStringList& header, const QList<QStringList>& rows)
{
    QList<int> widths;
    for (const QString& cell : header)
        widths.append(int(cell.size()));
    for (const QStringList& row : rows) {
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], int(row[i].size()));
    }
    QString out;
    QTextStream stream(&out);
    const auto line = [&](const QStringList& cells) {
        for (int i = 0; i < cells.size(); ++i)
            stream << (i == 0 ? cells[i].leftJustified(widths[i]) : cells[i].rightJustified(widths[i]))
                   << "  ";
        stream << '\n';
    };
    line(header);
    for (const QStringList& row : rows)
        line(row);
    return out;
}

QString markdownTable(const QStringList& header, const QList<QStringList>& rows)
{
    QString out = QStringLiteral("| ") + header.join(QStringLiteral(" | ")) + QStringLiteral(" |\n|");
    for (int i = 0; i < header.size(); ++i)
        out += i == 0 ? QStringLiteral("---|") : QStringLiteral("---:|");
    out += QLatin1Char('\n');
    for (const QStringList& row : rows)
        out += QStringLiteral("| ") + row.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    return out;
}

const QStringList kTimeHeader{
    QStringLiteral("operation"),      QStringLiteral("size"),      QStringLiteral("program ms"),
    QStringLiteral("spread ms"),      QStringLiteral("bare ms"),   QStringLiteral("ratio"),
    QStringLiteral("refill/sort ms"), QStringLiteral("budget ms"), QStringLiteral("met"),
    QStringLiteral("same result")};
const QStringList kMemoryHeader{QStringLiteral("size"),
                                QStringLiteral("peak MB, five windows open"),
                                QStringLiteral("budget MB"),
                                QStringLiteral("met"),
                                QStringLiteral("offer indexes MB"),
                                QStringLiteral("budget MB"),
                                QStringLiteral("met"),
                                QStringLiteral("lists")};
const QStringList kGrowthHeader{QStringLiteral("operation"), QStringLiteral("medium ms"),
                                QStringLiteral("large ms"), QStringLiteral("growth")};

} // namespace

ResultTable::ResultTable(QList<SizeResult> sizes, int rounds) : m_sizes(std::move(sizes)), m_rounds(rounds) {}

double ResultTable::budgetMs(const Measurement& m)
{
    switch (m.kind) {
    case Measurement::Kind::Start:
        return kStartFactor * m.bareMs;
    case Measurement::Kind::Opening:
        return kBareFactor * (m.bareMs + m.allowanceMs);
    case Measurement::Kind::Window:
        return kWindowBudgetMs;
    case Measurement::Kind::Lookup:
        return std::min(kLookupBudgetMs, kBareFactor * m.bareMs + m.allowanceMs);
    case Measurement::Kind::Filter:
        return std::min(kFrameMs, kFilterFactor * m.bareMs);
    case Measurement::Kind::Conversion:
        return kConversionBudgetMs;
    case Measurement::Kind::Panel:
    case Measurement::Kind::Keystroke:
        return kFrameMs;
    case Measurement::Kind::Check:
        return kCheckBudgetMs;
    case Measurement::Kind::Info:
        break;
    }
    return NAN;
}

bool ResultTable::met(const Measurement& m)
{
    const double budget = budgetMs(m);
    return std::isnan(budget) || m.programMs <= budget;
}

QList<QStringList> ResultTable::timeRows() const
{
    QList<QStringList> rows;
    if (m_sizes.isEmpty())
        return rows;
    // Operation by operation, each with its sizes together.
    for (const Measurement& model : m_sizes.first().measurements) {
        for (const SizeResult& size : m_sizes) {
            const Measurement* m = size.find(model.operation);
            if (!m)
                continue;
            const bool hasBudget = !std::isnan(budgetMs(*m));
            rows.append(
                {m->operation, size.size, ms(m->programMs), spread(*m), ms(m->bareMs),
                 ratio(m->programMs, m->bareMs), ms(m->allowanceMs), ms(budgetMs(*m)),
                 hasBudget ? (met(*m) ? QStringLiteral("yes") : QStringLiteral("NO")) : QStringLiteral("-"),
                 m->correct ? QStringLiteral("yes") : QStringLiteral("NO")});
        }
    }
    return rows;
}

QList<QStringList> ResultTable::memoryRows() const
{
    QList<QStringList> rows;
    for (const SizeResult& size : m_sizes) {
        const double mb = size.peakKb < 0 ? NAN : double(size.peakKb) / 1024.0;
        const double offersMb = size.offersKb < 0 ? NAN : double(size.offersKb) / 1024.0;
        const auto met = [](double value, double budget) {
            return std::isnan(value) ? QStringLiteral("-")
                                     : (value <= budget ? QStringLiteral("yes") : QStringLiteral("NO"));
        };
        rows.append({size.size, ms(mb), ms(kPeakBudgetMb), met(mb, kPeakBudgetMb), ms(offersMb),
                     ms(kOffersBudgetMb), met(offersMb, kOffersBudgetMb), size.listSizes});
    }
    return rows;
}

QList<QStringList> ResultTable::growthRows() const
{
    QList<QStringList> rows;
    const SizeResult* medium = nullptr;
    const SizeResult* large = nullptr;
    for (const SizeResult& size : m_sizes) {
        if (size.size == QLatin1String("medium"))
            medium = &size;
        if (size.size == QLatin1String("large"))
            large = &size;
    }
    if (!medium || !large)
        return rows;
    for (const Measurement& m : large->measurements) {
        const Measurement* before = medium->find(m.operation);
        if (!before)
            continue;
        rows.append({m.operation, ms(before->programMs), ms(m.programMs),
                     QString::number(m.programMs / before->programMs, 'f', 2) + QLatin1Char('x')});
    }
    return rows;
}

QString ResultTable::text() const
{
    QString out = plain(kTimeHeader, timeRows());
    out += QLatin1Char('\n') + plain(kMemoryHeader, memoryRows());
    const QList<QStringList> growth = growthRows();
    if (!growth.isEmpty())
        out +=
            QStringLiteral("\nGrowth from medium to large (3.3 times the products and cross-references):\n") +
            plain(kGrowthHeader, growth);
    return out;
}

QString ResultTable::markdown(const QString& machine, const QString& date) const
{
    QString out;
    out += QStringLiteral("# Speed at scale\n\n");
    out += QStringLiteral("Measured %1 on %2, with `make bench` (release build).\n\n").arg(date, machine);
    out +=
        QStringLiteral(
            "Catalogues from the sample generator: small (3,000 products, 30,000 cross-reference rows), "
            "medium (30,000 and 300,000) and large (100,000 and 1,000,000, photos on 4,000 products). Each "
            "size runs in processes of its own, offscreen, through the program's own code and windows; "
            "message boxes are answered by the test desktop and are not timed. Each size is measured "
            "whole %1 times over (`--rounds`), each round in new processes (the timings, the memory peak, "
            "the starts and the Access openings); within a round a time is the median of its repeated "
            "runs. Each figure shown is the median of the rounds' figures, and *met* is judged on that "
            "median.\n\n")
            .arg(m_rounds);
    out += QStringLiteral(
        "- *spread ms*: the fastest and the slowest round's *program ms*, each round's own median.\n"
        "- *bare ms*: the same SQL texts with the same values, straight through the SQLite C API on the same "
        "file, reading every row and column the program reads.\n"
        "- *refill/sort ms*: for a filter, the program's own refill of the boxes it refills from that result "
        "(entries derived, sorted and set); for an opening or F2, one sort of the shown competitor "
        "references; \"-\" for a lookup that shows a product, whose budget has no refill.\n"
        "- *budget ms*: the start 1.5 x the shell's; opening a search window 100 ms; the manufacturer and "
        "the family filter 1.3 x bare and at most 16 ms, one frame at 60 Hz; a lookup that shows a product "
        "16 ms from its key to the panel painted; another lookup (a combined filter, nothing found) 20 ms "
        "and at most 1.5 x bare + refill; OpenCatalogue and F2 1.5 x (bare + sort); the first opening of an "
        "Access file 1500 ms. The budgets are set for the large catalogue; the smaller sizes are shown "
        "against the same rules.\n"
        "- *start to the first search window*: the program started in a new process, offscreen, from its "
        "start to its first search window ready for the user (the five lists read, the boxes filled, "
        "`CbxRef` holding the focus, the window shown); its *bare ms* is the engine's own shell (`sqlite3`) "
        "started in a new process and reading the same five lists, the count and the version row with "
        "the same SQL and values. The two are started in turn, five times a round.\n"
        "- *same result*: the program showed what the engine found (list lengths, the product found), in "
        "every round.\n"
        "- *derive ...* and *sort of competitor references*: the program's own derivation of the drop-down "
        "entries (trimmed, scrambled, sorted) from a list just read, and the sort alone.\n"
        "- Openings (OpenCatalogue, the Access file's converted copy, F2) are timed opening again a "
        "catalogue this process has opened before: lists read unchanged keep the entries made then. The "
        "first opening in a process also starts making them, beside it and the windows: *OpenCatalogue, "
        "first in a new process* times it (three new processes a round), the start row the whole.\n"
        "- *OpenCatalogue, Access file, ...*: the same catalogue written as a Jet 4 (.mdb) file and opened "
        "by the program, which converts it into an SQLite copy in the user's cache folder. "
        "*first conversion*: each run in a process of its own whose cache folder is new and empty "
        "(three a round), opened as at start, to its lists read (the import writes them before it builds "
        "the copy's indexes, and the first window opens on them); *Access file, first conversion, copy "
        "finished*: the same runs on to the end of the conversion, which a query asked for at once waits "
        "for; *converted copy*: the copy found in the cache. The bare figure of both openings is the bare "
        "opening of the SQLite file; *same result*: the program read the same five lists as from the "
        "SQLite file, and the copy was kept.\n"
        "- Lookups that show a product (*competitor reference resolved ...*, *house lookup ...* except those "
        "that find nothing): *program ms* is the time the user waits, from Enter pressed in the box "
        "(`comReferences`, `CbxRef`, `CbxDesc`; the key event sent to the box) to the end of the paint pass "
        "that paints the product panel: the lookup, the preview file, the photo decoded and the panel's "
        "photo and data boxes painted into the window's backing store. The query itself is the bare "
        "figure.\n"
        "- Lookups that find nothing: the handler alone, its message answered by the test desktop.\n"
        "- *offers, ...*: texts of a session (references as printed and as read out over the phone, lower "
        "case with blanks for separators; short beginnings; description words out of order) typed a key at "
        "a time into the box of a search window, the offer shown before the next key; *program ms* is the "
        "slowest keystroke (the median of its runs), *bare ms* the slowest plain scan of the box's list "
        "for the same texts and answer; budget 16 ms, one frame at 60 Hz; *same result*: every keystroke "
        "offered what the plain scan finds. *offer index, ...*: making the offer index of a full list, "
        "done once for each list and shared by every window that shows it.\n"
        "- *Access cache sweep, ...*: one sweep of the cache of converted copies, as each opening of an "
        "Access file makes it in a job of the new catalogue's pool, beside the opening and off the windows' "
        "thread (no budget), over a folder of small stand-in copies (a few bytes each, with their source "
        "records; the sweep reads names, records and times, never the copies, and so does not depend on the "
        "catalogue's size; it takes a short lock file of its own for each copy it removes): a third recent, "
        "a third whose Access file is gone, a third not opened for 31 days. *same result*: exactly the last "
        "two thirds went, with their records.\n\n");
    out += markdownTable(kTimeHeader, timeRows());
    out +=
        QStringLiteral("\n## Peak memory\n\nVmHWM of the process after the runs above and with five search "
                       "windows open; *offer indexes MB*: the most that the offer indexes, shared by the "
                       "windows, held at once meanwhile. Both the median of the rounds.\n\n");
    out += markdownTable(kMemoryHeader, memoryRows());
    const QList<QStringList> growth = growthRows();
    if (!growth.isEmpty()) {
        out += QStringLiteral(
            "\n## Growth from medium to large\n\nThe large catalogue has 3.3 times the products "
            "and cross-references of the medium one. Lookups that read one row stay flat; "
            "filters grow with the lists they return and refill.\n\n");
        out += markdownTable(kGrowthHeader, growth);
    }
    return out;
}
