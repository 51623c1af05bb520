// CommandRequest and the queue of requests waiting to be carried out, newest first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/hashed_name.h"

struct CommandRequest {
    std::string parameter;  // the layer name for "Layer Change"; empty otherwise
    HashedName command;
};

using CommandQueue = std::vector<std::unique_ptr<CommandRequest>>;

void postCommand(CommandQueue& queue, const HashedName& command, const std::string& parameter);

// Removes and returns the request posted last, or null when the queue is empty.
std::unique_ptr<CommandRequest> takeNewestCommand(CommandQueue& queue);

// Takes every waiting request for `command` out of the queue.
void dropCommands(CommandQueue& queue, const HashedName& command);
