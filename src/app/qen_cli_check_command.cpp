// qen-cli check: the editor's chart check over flowchart files, one line per finding.
#include <string>

#include "qen_cli.h"
#include "qen_cli_document.h"
#include "store_check.h"

int CliCheck(const CliArguments& arguments, const CliContext& context) {
    const CliIo io = context.io;
    bool unreadable = false;
    bool found = false;
    for (const std::string& path : arguments.positional) {
        CliDocument document;
        if (!document.Open(path)) {
            document.Fail(io);
            unreadable = true;
            continue;
        }
        for (const ChartFinding& finding : CheckStore(document.store)) {
            io.out << path << ": chart " << finding.chart << ", slot " << finding.slot << ": "
                   << finding.text << '\n';
            found = true;
        }
    }
    if (unreadable) return CliExit::Failed;
    return found ? CliExit::Findings : CliExit::Ok;
}
