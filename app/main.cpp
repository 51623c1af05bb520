// The program's entry point.
#include <SDL.h>

#include <cstdlib>

#include "app/editor.h"
#include "app/startup.h"

int main(int, char**) {
    int status = runEditor(Editor::instance());
    // The editor's destructor runs at exit, after SDL has been shut down.
    std::exit(status);
}
