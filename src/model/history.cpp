// The undo history's queue of steps.
#include "history.h"

#include <algorithm>
#include <utility>

std::vector<int> CHistorys::PushStep(RECORDS step) {
    std::vector<int> purge;
    while (Count() >= kMaxSteps) {
        std::vector<int> dropped;
        DropOldest(dropped);
        purge.insert(purge.end(), dropped.begin(), dropped.end());
    }
    steps_.push_back(std::move(step));
    return purge;
}

bool CHistorys::PopNewest(RECORDS& step) {
    if (steps_.empty()) return false;
    step = std::move(steps_.back());
    steps_.pop_back();
    return true;
}

bool CHistorys::DropOldest(std::vector<int>& uids) {
    if (steps_.empty()) return false;
    uids.clear();
    for (const RECORD& record : steps_.front().records) {
        if (record.type != RecordType::Deleted) continue;
        for (int uid : record.uids)
            if (std::find(uids.begin(), uids.end(), uid) == uids.end()) uids.push_back(uid);
    }
    steps_.pop_front();
    return true;
}
