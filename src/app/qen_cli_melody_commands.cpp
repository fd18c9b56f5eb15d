// The melody subcommands: they read a ".mel" file exactly as the melody
// editor's open command does, then print the image a transfer would send,
// send it to the board, or write the tune as a standard MIDI file.
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "melody_file.h"
#include "melody_image.h"
#include "midi_file.h"
#include "qen_cli.h"
#include "qen_cli_board_job.h"
#include "qen_cli_document.h"

namespace {

struct CliMelodyFile {
    // Messages go to messages; nothing when the editor would refuse the file.
    std::optional<MelodySettings> Read(const std::string& path) {
        return ReadMelodyFile(path, melody, messages);
    }
    // What the editor's transfer command builds from the open file.
    MelodyImage Image() const {
        const PlayList list = BuildPlayList(melody, settings.tempo, settings.repeat);
        return BuildMelodyImage(list.events, settings.title, list.repeat);
    }

    CMelodyDataManager melody;
    MelodySettings settings;
    CollectedMessages messages;
};

void PrintMelodyImage(const MelodyImage& image, std::ostream& out) {
    constexpr int kBlockBytes = 32;
    constexpr int kBlocks = static_cast<int>(std::tuple_size_v<MelodyImage>) / kBlockBytes;
    char text[8];
    for (int block = 0; block < kBlocks; ++block) {
        std::snprintf(text, sizeof text, "%02d:", block);
        out << text;
        for (int i = 0; i < kBlockBytes; ++i) {
            std::snprintf(text, sizeof text, " %02X",
                          image[static_cast<std::size_t>(block * kBlockBytes + i)]);
            out << text;
        }
        out << '\n';
    }
}

// Reads the file named by the first argument; false, with its messages printed, when refused.
bool Open(CliMelodyFile& file, const CliArguments& arguments, const CliContext& context) {
    const std::optional<MelodySettings> settings = file.Read(arguments.positional[0]);
    if (!settings) {
        file.messages.PrintTo(context.io.err);
        return false;
    }
    file.settings = *settings;
    return true;
}

}  // namespace

int CliMelody(const CliArguments& arguments, const CliContext& context) {
    CliMelodyFile file;
    if (!Open(file, arguments, context)) return CliExit::Failed;
    PrintMelodyImage(file.Image(), context.io.out);
    return CliExit::Ok;
}

int CliSendMelody(const CliArguments& arguments, const CliContext& context) {
    CliMelodyFile file;
    if (!Open(file, arguments, context)) return CliExit::Failed;
    return CliSendMelodyImage(file.Image(), arguments, context);
}

int CliMidi(const CliArguments& arguments, const CliContext& context) {
    CliMelodyFile file;
    if (!Open(file, arguments, context)) return CliExit::Failed;
    if (!WriteMidiFile(arguments.positional[1], file.settings, file.melody, file.messages)) {
        file.messages.PrintTo(context.io.err);
        return CliExit::Failed;
    }
    return CliExit::Ok;
}
