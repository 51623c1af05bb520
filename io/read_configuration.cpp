// The editor's reading of its configuration, and the warning when it is refused.
#include "io/read_configuration.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "io/configuration.h"
#include "platform/message_box.h"

void readConfiguration(Editor& editor, const std::string& path) {
    std::string reason;
    if (loadConfiguration(editor.settings, path, reason)) return;
    editor.messageBox->show(kWarningTitle, "The configuration file " + path +
                                               " was not read: " + reason +
                                               ". The editor starts with its built-in settings.");
}
