#pragma once

#include <iterator>

// The entry of a table whose `id` member equals `id`, or nullptr. The tables
// of commands, texts and controls are small and searched by their ids.
template <typename Table>
auto FindById(const Table& table, int id) -> decltype(&*std::begin(table)) {
    for (const auto& entry : table)
        if (entry.id == id)
            return &entry;
    return nullptr;
}
