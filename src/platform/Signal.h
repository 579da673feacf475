#pragma once

#include <functional>
#include <utility>
#include <vector>

/// A list of observers. Views connect to a model's signals; the model never knows who listens.
template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;

    int connect(Slot slot) {
        m_slots.emplace_back(++m_lastId, std::move(slot));
        return m_lastId;
    }
    void disconnect(int id) {
        std::erase_if(m_slots, [id](const auto& entry) { return entry.first == id; });
    }
    void emit(Args... args) const {
        // A slot may connect or disconnect others while we run, so run over a copy.
        auto slots = m_slots;
        for (const auto& entry : slots) entry.second(args...);
    }

private:
    std::vector<std::pair<int, Slot>> m_slots;
    int m_lastId = 0;
};
