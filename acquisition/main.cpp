// qtl32: start-up of the measurement workbench.
#include "settings/windows/startup.h"

int main(int argc, char** argv) {
    return qtl::runQtl32(argc, argv);
}
