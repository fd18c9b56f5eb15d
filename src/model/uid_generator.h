// Hands out object identities 1..65535, reusing released ones oldest first.
#pragma once

#include <deque>
#include <mutex>

class UidGenerator {
public:
    // 0 when the identities are exhausted: the requesting creation fails.
    int Next();
    void Release(int uid);

private:
    std::mutex mutex_;
    int counter_ = 0;
    std::deque<int> released_;
};
