#include "app/ModMain.h"

int main(int argc, char* argv[])
{
    return quellin::runProgram(argc, argv);
}
