#pragma once

#include <vector>

#include "platform/NotifyIcon.h"

namespace quadrello::test {

// Stands in for the notification area: records every command and answers with a tray host
// present or not. Installed for its lifetime.
class RecordingNotifyIcons : public platform::NotifyIconService {
  public:
    struct Call {
        uint32_t command;
        platform::NotifyIconData data;
    };

    explicit RecordingNotifyIcons(bool hostAvailable = true) : host(hostAvailable) {
        platform::SetNotifyIconService(this);
    }
    ~RecordingNotifyIcons() override { platform::SetNotifyIconService(nullptr); }

    bool Notify(uint32_t command, const platform::NotifyIconData& data) override {
        calls.push_back({command, data});
        return true;
    }
    bool HostAvailable() const override { return host; }

    std::vector<uint32_t> Commands() const {
        std::vector<uint32_t> commands;
        for (const Call& call : calls) {
            commands.push_back(call.command);
        }
        return commands;
    }

    bool host;
    std::vector<Call> calls;
};

}  // namespace quadrello::test
