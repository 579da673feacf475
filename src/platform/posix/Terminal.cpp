#include "platform/Terminal.h"

#include <unistd.h>

bool errorStreamIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}
