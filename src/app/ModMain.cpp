#include "app/ModMain.h"

#include <QApplication>

namespace quellin {

int runProgram(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return 0;
}

}  // namespace quellin
