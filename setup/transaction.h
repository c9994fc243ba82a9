#pragma once
// Steps that all stay or all go. Each step is recorded with its undo;
// Commit() keeps them all, RollBack() undoes them, the last first, logging
// each undo: done, or what it could not put back. A transaction that ends
// with neither rolls back.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "callback.h"
#include "setup_log.h"

namespace setup {

class Transaction {
public:
    // Puts back what its step changed, and never throws. Returns what it
    // could not put back (where an earlier file is kept, say); empty when
    // everything is back.
    using Undo = rt::Callback<std::wstring()>;

    explicit Transaction(SetupLog& log) noexcept : log_(log) {}
    ~Transaction() { RollBack(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Runs `step`, named so in the log, with its undo recorded first: a step
    // that fails halfway is put back too. What the undo uses must outlive the
    // transaction.
    void Do(std::initializer_list<std::wstring_view> name, rt::Callback<void()> step, Undo undo);
    // Keeps every step done.
    void Commit() noexcept { steps_.clear(); }
    // Undoes every step done, once.
    void RollBack() noexcept;

private:
    struct Step {
        std::wstring name;
        Undo undo;
        bool finished = false;
    };
    SetupLog& log_;
    std::vector<Step> steps_;
};

// What an undo that called the system leaves: nothing when the call
// returned ERROR_SUCCESS, else its error.
std::wstring UndoneUnless(long status);

}  // namespace setup
