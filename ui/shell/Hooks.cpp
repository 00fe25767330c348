#include "ui/shell/Hooks.h"

ShellHooks& Hooks() {
    static ShellHooks hooks;
    return hooks;
}
