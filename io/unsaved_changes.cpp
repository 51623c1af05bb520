// The unsaved-changes question.
#include "io/unsaved_changes.h"

#include "app/editor.h"
#include "app/recovery.h"
#include "io/file_dialogs.h"
#include "io/map_file.h"
#include "platform/question_box.h"

bool mayLeaveMap(Editor& editor) {
    if (!mapChangedSinceSaved(editor)) return true;
    const std::string name =
        editor.mapFileName.empty() ? "untitled map" : "map " + editor.mapFileName;
    const SaveAnswer answer = editor.questionBox->ask(
        "Unsaved changes", "The " + name + " has changes that are not saved. Save them first?");
    switch (answer) {
        case SaveAnswer::Discard:
            discardRecoveryCopy(editor);
            return true;
        case SaveAnswer::Save: {
            const std::string path =
                editor.mapFilePath.empty() ? askSaveMapFile(editor) : editor.mapFilePath;
            return saveMap(editor, path);
        }
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}
