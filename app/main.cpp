#include "app/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (!Main())
        return 0;
    return application.exec();
}
