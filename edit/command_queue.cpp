// Posting and taking command requests.
#include "edit/command_queue.h"

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
