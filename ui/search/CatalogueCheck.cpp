#include "CatalogueCheck.h"

#include "Form2.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/config/OpeningFailureDetails.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/Platform.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace CatalogueCheck {

namespace {

// A file written less than this long ago may still be being copied.
constexpr qint64 kSettledMs = 1000;
constexpr int kLookAgainMs = 100;
// A file that never stands still is opened as it is after this, rather than hold the user.
constexpr qint64 kLongestWaitMs = 60000;

// The opening whose missing file the user was told of.
quint64 s_goneTold = 0;

bool hasSettled(const CatalogueSource& source, qint64 unchangedMs)
{
    const qint64 sinceWritten = QDateTime::currentMSecsSinceEpoch() - source.modifiedMs();
    return unchangedMs >= kSettledMs || sinceWritten >= kSettledMs;
}

// Waits, with the windows painted and what the user types held, until the file has not been
// written for a second, so that a release copied in place is opened whole.
void waitUntilSettled(const QString& path)
{
    QElapsedTimer unchanged;
    unchanged.start();
    QElapsedTimer waited;
    waited.start();
    CatalogueSource last = CatalogueSource::of(path);
    while (!hasSettled(last, unchanged.elapsed()) && waited.elapsed() < kLongestWaitMs) {
        QEventLoop pause;
        QTimer::singleShot(kLookAgainMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
        const CatalogueSource now = CatalogueSource::of(path);
        if (now != last) {
            last = now;
            unchanged.restart();
        }
    }
}

// Opens the file the path names now, as F2 does, and gives every search window its lists.
void openReplacement(QWidget* parent)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    waitUntilSettled(Module1::DatabasePath);
    const bool opened = OpenCatalogue();
    for (QWidget* form : LoadedForms::all()) {
        if (auto* search = qobject_cast<Form2*>(form))
            search->Form_Load();
    }
    QGuiApplication::restoreOverrideCursor();
    const QString file = QDir::toNativeSeparators(Module1::DatabasePath);
    Platform::notice(parent, opened ? QStringLiteral("Catálogo atualizado: %1 (%2)")
                                          .arg(file, QDateTime::currentDateTime().toString(
                                                         QStringLiteral("dd/MM/yyyy hh:mm")))
                                    : QStringLiteral("O novo catálogo não pôde ser aberto: %1").arg(file));
}

// A deleted file is still read through the open catalogue: only a file at the path that is not
// the one opened replaces it.
bool isReplacement(const CatalogueSource& now, const Catalogue& catalogue)
{
    return now.exists() && now != catalogue.Source;
}

} // namespace

bool replacedSince(const Catalogue& catalogue)
{
    return isReplacement(CatalogueSource::of(Module1::DatabasePath), catalogue);
}

Catalogue& current(QWidget* parent)
{
    Catalogue& catalogue = Module1::Opened();
    // Nothing was opened yet: the start opens the catalogue.
    if (catalogue.opening() == 0)
        return catalogue;
    const CatalogueSource now = CatalogueSource::of(Module1::DatabasePath);
    if (isReplacement(now, catalogue)) {
        openReplacement(parent);
        return Module1::Opened();
    }
    if (catalogue.Source.exists() && !now.exists() && s_goneTold != catalogue.opening()) {
        s_goneTold = catalogue.opening();
        Platform::notice(parent, QStringLiteral("O arquivo do catálogo não existe mais: %1. As consultas "
                                                "continuam no catálogo aberto.")
                                     .arg(QDir::toNativeSeparators(Module1::DatabasePath)));
    }
    return catalogue;
}

void tellUnreadable(QWidget* parent, const Catalogue& catalogue)
{
    OpeningFailure failure = catalogue.Failure;
    if (catalogue.DatabaseOpened || failure.reason == OpeningFailure::Reason::None) {
        failure.reason = OpeningFailure::Reason::Damaged;
        failure.engine = catalogue.lastReadFailure();
    }
    failure.path = Module1::DatabasePath;
    Platform::messageBox(parent, QStringLiteral("Não foi possível ler o catálogo"),
                         PlatformBackend::Buttons::Ok, QStringLiteral("Aviso"),
                         OpeningFailureDetails::text(failure));
}

} // namespace CatalogueCheck
