#include "FuzzApplication.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

int g_argc = 1;
char g_name[] = "lumeo-fuzz";
char* g_argv[] = {g_name, nullptr};

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

namespace FuzzApplication {

void start()
{
    static QCoreApplication application(g_argc, g_argv);
    if (!scratch().isValid())
        qFatal("no scratch directory");
}

QString scratchDirectory()
{
    return scratch().path();
}

} // namespace FuzzApplication
