#include "AccessImportTool.h"

#include "AccessImporter.h"
#include "base/ImportProgram.h"

#include <QFile>

#include <sys/resource.h>

#include <cstdio>
#include <new>

namespace {

// Whatever the file holds, the import never takes more of the machine than this: an
// allocation beyond it fails, and the file is refused like any other it cannot read.
constexpr rlim_t kMostAddressSpace = rlim_t(1) << 30;

// The address and thread sanitizers reserve terabytes of shadow memory up front: their builds
// go without the limit. (GCC names each with a macro of its own, clang with a feature.)
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kShadowMemory = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kShadowMemory = true;
#else
constexpr bool kShadowMemory = false;
#endif
#else
constexpr bool kShadowMemory = false;
#endif

void limitAddressSpace()
{
    if (kShadowMemory)
        return;
    struct rlimit limit;
    if (getrlimit(RLIMIT_AS, &limit) != 0)
        return;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < kMostAddressSpace)
        return;
    limit.rlim_cur = kMostAddressSpace;
    setrlimit(RLIMIT_AS, &limit);
}

bool fail(const QString& error)
{
    std::fprintf(stderr, "%s: %s\n", ImportProgram::kName, error.toLocal8Bit().constData());
    return false;
}

} // namespace

namespace AccessImportTool {

int run(int argc, char* argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s ACCESS-FILE SQLITE-FILE [LISTS-FILE]\n", ImportProgram::kName);
        return 2;
    }
    limitAddressSpace();
    const QString accessPath = QFile::decodeName(argv[1]);
    const QString sqlitePath = QFile::decodeName(argv[2]);
    const QString listsPath = argc == 4 ? QFile::decodeName(argv[3]) : QString();
    const auto progress = [](int percent) {
        std::printf("progress %d\n", percent);
        std::fflush(stdout);
    };
    const auto listsWritten = [] {
        std::printf("%s\n", ImportProgram::kListsWritten);
        std::fflush(stdout);
    };
    QString error;
    bool converted = false;
    try {
        converted =
            AccessImporter::convert(accessPath, sqlitePath, progress, &error, listsPath, listsWritten) ||
            fail(error);
    } catch (const std::bad_alloc&) {
        converted =
            fail(QStringLiteral("%1 precisa de mais memória do que a conversão pode usar").arg(accessPath));
    }
    if (!converted) {
        QFile::remove(sqlitePath);
        if (!listsPath.isEmpty())
            QFile::remove(listsPath);
        return 1;
    }
    return 0;
}

} // namespace AccessImportTool
