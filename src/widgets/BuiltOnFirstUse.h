// A window built the first time it is used and kept for the rest of the run, so start-up
// pays only for the windows it shows.
#pragma once

#include <functional>
#include <utility>

namespace veldrin {

template <typename Window> class BuiltOnFirstUse {
public:
    // build makes the window, owned by a parent that keeps it until the end of the run.
    void buildWith(std::function<Window*()> build) { m_build = std::move(build); }

    Window& operator*() { return get(); }
    Window* operator->() { return &get(); }
    Window& get()
    {
        if (!m_built)
            m_built = m_build();
        return *m_built;
    }
    // The window when it exists, else null; never builds it.
    Window* ifBuilt() const { return m_built; }

private:
    std::function<Window*()> m_build;
    Window* m_built = nullptr;
};

} // namespace veldrin
