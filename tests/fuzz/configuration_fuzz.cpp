// Fuzz target: reading a Configuration.xml of arbitrary bytes.
#include "io/read_configuration.h"
#include "tests/fuzz/fuzz_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Editor& editor = fuzzEditor();
    editor.settings = Settings{};
    readConfiguration(editor, pathHolding(data, size));
    return 0;
}
