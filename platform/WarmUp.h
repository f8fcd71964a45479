#pragma once

#include <thread>

// Work that Qt does on the main thread while the first windows are built and
// painted, begun earlier on another core so that the windows wait less: the
// font configuration (read while the application object connects to the
// desktop), the list of fonts, and the image format plugins (the style's own
// pictures load every one of them). Each is what Qt does anyway and safe on
// another thread, and its result is shared, so the main thread finds it done.
class WarmUp {
public:
    // What runs once the application object exists; it ends with this
    // object, which must go before the application object does.
    class Running {
    public:
        explicit Running(std::thread thread) : m_thread(std::move(thread)) {}
        ~Running();
        Running(Running&&) = default;
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        Running& operator=(Running&&) = delete;

    private:
        std::thread m_thread;
    };

    // Before the application object exists: the font configuration.
    WarmUp();
    ~WarmUp();
    WarmUp(const WarmUp&) = delete;
    WarmUp& operator=(const WarmUp&) = delete;

    // Once the application object exists: the fonts' list and the plugins.
    [[nodiscard]] Running applicationReady();

private:
    std::thread m_configuration;
};
