// Fuzz target over the flowchart file loader. Any input must either load or
// be refused with the store and the report untouched; what loads must write
// out and read back to the same charts and program image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "load_all.h"
#include "program_image.h"
#include "quiet_store.h"
#include "save_all.h"

namespace {

struct Document : QuietStore {
    ReportData report{"school", "grade", "class", "number", "name", "title", "comment"};
};

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

NuvoProgramManager::Image ImageOf(const Document& document) {
    NuvoProgramManager image;
    image.BuildImage(document.store);
    return image.Entries();
}

// Every object is live, every symbol owns a slot, and no more than 250 do.
void RequireConsistent(Document& document) {
    auto lock = document.store.Lock();
    int symbols = 0;
    for (const auto& object : document.store.Objects()) {
        Require(!object->Deleted());
        if (object->IsLine()) continue;
        ++symbols;
        Require(document.slotTable.SlotOf(object->Uid()) != 0);
    }
    Require(symbols == document.slotTable.CountUsed());
    Require(symbols <= NUVOAddrGenerator::kSlotCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Document first;
    const ReportData before = first.report;
    if (!LoadDocument(first.store, text, first.report, first.messages)) {
        Require(first.store.Objects().empty());
        Require(first.slotTable.CountUsed() == 0);
        Require(first.report == before);
        return 0;
    }
    RequireConsistent(first);

    const std::optional<std::string> written = WriteDocument(first.store, {});
    Require(written.has_value());
    Document second;
    Require(LoadDocument(second.store, *written, second.report, second.messages));
    RequireConsistent(second);
    Require(ImageOf(second) == ImageOf(first));
    Require(WriteDocument(second.store, {}) == written);
    return 0;
}
