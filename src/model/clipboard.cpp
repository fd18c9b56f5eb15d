// The clipboard's records and the renumbering of pasted lines.
#include "clipboard.h"

#include "flow_object.h"

void CopyObjectMemory::Clear() {
    uidMap_.clear();
    symbols_.clear();
    lines_.clear();
    starts_ = loopBegins_ = parallels_ = 0;
}

void CopyObjectMemory::Add(const IFLOWOBJECT& object) {
    if (object.IsLine()) {
        lines_.push_back(object.GetLineRecord());
        return;
    }
    symbols_.push_back(object.GetSymbolRecord());
    switch (object.KindCode()) {
        case Kind::Start:
            ++starts_;
            break;
        case Kind::LoopBegin:
            ++loopBegins_;
            break;
        case Kind::Parallel:
            ++parallels_;
            break;
        default:
            break;
    }
}

LineEnd CopyObjectMemory::Mapped(LineEnd end) const {
    const auto it = uidMap_.find(end.uid);
    if (it == uidMap_.end()) {
        end.uid = 0;
        end.connected = 0;
    } else {
        end.uid = it->second;
    }
    return end;
}

LineRecord CopyObjectMemory::Renumbered(const LineRecord& line, int newUid) const {
    LineRecord copy = line;
    copy.uid = newUid;
    copy.from = Mapped(line.from);
    copy.to = Mapped(line.to);
    return copy;
}
