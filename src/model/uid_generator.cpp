#include "uid_generator.h"

int UidGenerator::Next() {
    std::lock_guard lock(mutex_);
    if (!released_.empty()) {
        const int uid = released_.front();
        released_.pop_front();
        return uid;
    }
    if (counter_ >= 65535) return 0;
    return ++counter_;
}

void UidGenerator::Release(int uid) {
    if (uid <= 0) return;
    std::lock_guard lock(mutex_);
    released_.push_back(uid);
}
