#pragma once

#include <thread>

namespace quadrello::platform {

// Loads the system's font configuration on a thread of its own while the main thread starts Qt
// and connects to the display. Where the fonts are found through fontconfig, reading its
// configuration files and caches is the largest single piece of work before the first paint,
// and nothing before the font database needs it. Elsewhere this does nothing.
class FontWarmUp {
  public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once the configuration is loaded: call before the first use of the font database,
    // which would otherwise load it a second time beside the thread.
    void Wait();

  private:
    std::thread thread_;
};

}  // namespace quadrello::platform
