// The demonstration's own start-up, exactly as its main() runs it, ended by the probe at the
// main window's first paint.
#include "app/Startup.h"
#include "bench/StartupProbe.h"

int main(int argc, char** argv) {
    return Main(argc, argv);
}
