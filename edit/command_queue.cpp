// Posting and taking command requests.
#include "edit/command_queue.h"

#include <algorithm>

void postCommand(CommandQueue& queue, const HashedName& command, const std::string& parameter) {
    auto request = std::make_unique<CommandRequest>();
    request->command = command;
    request->parameter = parameter;
    queue.push_back(std::move(request));
}

std::unique_ptr<CommandRequest> takeNewestCommand(CommandQueue& queue) {
    if (queue.empty()) return nullptr;
    std::unique_ptr<CommandRequest> request = std::move(queue.back());
    queue.pop_back();
    return request;
}

void dropCommands(CommandQueue& queue, const HashedName& command) {
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [&](const auto& request) { return request->command == command; }),
                queue.end());
}
