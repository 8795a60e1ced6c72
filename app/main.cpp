#include "zeft_Application.h"

int main(int argc, char** argv) {
    return zeft::RunProgram(argc, argv);
}
