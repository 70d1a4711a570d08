// Scope guards the editing commands use so that an exception half way
// through a command never leaves an update bracket, an undo group or the
// painting-suspended flag open (an open group would swallow every later
// edit into one undo step; an open update would silence OnChange for good).
#pragma once

#include "editor/core/code_memo_model.h"

namespace tarnwick {

// BeginUpdate / EndUpdate.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TCodeMemoModel& model) : model_(model) { model_.BeginUpdate(); }
    ~TUpdateGuard()
    {
        try {
            model_.EndUpdate();
        } catch (...) {
            // A handler's fault must not escape a destructor.
        }
    }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TCodeMemoModel& model_;
};

// BeginGroup(code) / EndGroup(code). Groups do not nest: inside an open
// group of another code both calls do nothing.
class TGroupGuard {
public:
    TGroupGuard(TCodeMemoModel& model, int code) : model_(model), code_(code)
    {
        model_.BeginGroup(code_);
    }
    ~TGroupGuard()
    {
        try {
            model_.EndGroup(code_);
        } catch (...) {
            // Out of memory while closing: the log stays as it was.
        }
    }
    TGroupGuard(const TGroupGuard&) = delete;
    TGroupGuard& operator=(const TGroupGuard&) = delete;

private:
    TCodeMemoModel& model_;
    int code_;
};

// Suspends painting for a scope, restoring the previous state.
class TPaintGuard {
public:
    explicit TPaintGuard(TCodeMemoModel& model) : model_(model), was_(model.PaintSuspended())
    {
        model_.SetPaintSuspended(true);
    }
    ~TPaintGuard()
    {
        try {
            model_.SetPaintSuspended(was_);
        } catch (...) {
            // A handler's fault must not escape a destructor.
        }
    }
    TPaintGuard(const TPaintGuard&) = delete;
    TPaintGuard& operator=(const TPaintGuard&) = delete;

private:
    TCodeMemoModel& model_;
    bool was_;
};

}  // namespace tarnwick
