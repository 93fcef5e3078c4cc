// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Raises a flag for the length of a scope: "a user's change is being applied",
// "the text is being reformatted", "the size is being adjusted". On the way
// out, also when an exception passes, the flag gets back the value it had on
// entry, so a nested scope never lowers a flag that an outer scope still holds.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }  // raises `flag` until the scope ends
    ~ScopedFlag() { flag_ = previous_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool previous_;
};
