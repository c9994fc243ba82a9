#pragma once
// The text line each printed item starts on, counted from the first.
#include <string>
#include <vector>

#include "print_text.h"

template <class Items>
std::vector<int> StartLines(const Items& items) {
    std::vector<int> starts;
    int line = 0;
    for (const std::string& item : items) {
        starts.push_back(line);
        line += rt::LineBreaksOfPrint(item);
    }
    return starts;
}
