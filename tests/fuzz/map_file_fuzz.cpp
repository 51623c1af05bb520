// Fuzz target: opening a map file of arbitrary bytes.
#include "io/map_file.h"
#include "tests/fuzz/fuzz_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Editor& editor = fuzzEditor();
    loadMap(editor, pathHolding(data, size));
    checkMapInvariants(editor);
    return 0;
}
