// A chart store with its own uid generator and slot table, whose messages go
// nowhere: for benchmarks, the fuzzer and tests that do not look at messages.
#pragma once

#include <string_view>

#include "chart_store.h"
#include "message_lines.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

class SilentMessages : public INotifier, public IMessageArea {
public:
    void Notify(std::string_view, MessageSeverity) override {}
    void AddMessage(std::string_view) override {}
};

struct QuietStore {
    SilentMessages messages;
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    CFlowObjectManager store{uids, slotTable, messages};
};
