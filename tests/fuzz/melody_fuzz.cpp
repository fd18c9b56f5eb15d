// Fuzz target over the melody file reader. Any input must either load or be
// refused with an empty list; what loads must write out and read back to the
// same melody image (line breaks in the title having become spaces), and
// writing it again must give the same bytes. A title that code page 932
// cannot hold must be refused with the character named.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cp932_text.h"
#include "melody_file.h"
#include "melody_image.h"
#include "midi_file.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

MelodyImage ImageOf(const CMelodyDataManager& melody, const MelodySettings& settings) {
    const PlayList list = BuildPlayList(melody, settings.tempo, settings.repeat);
    return BuildMelodyImage(list.events, settings.title, list.repeat);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CMelodyDataManager first;
    const std::optional<MelodySettings> settings = ParseMelodyFile(bytes, first);
    if (!settings) {
        Require(first.Notes() == std::vector<MelodyNote>{kClefMarker});
        return 0;
    }
    Require(settings->tempo >= kMinTempo && settings->tempo <= kMaxTempo);
    Require(first.Relayout() == first.CountNotes());

    const Cp932Conversion written = Utf8ToCp932(MelodyFileText(*settings, first));
    if (!written.bytes) {
        Require(!UnsavableTitleLine(written).empty());
        return 0;
    }
    MelodySettings expected = *settings;
    for (char& c : expected.title)
        if (c == '\r' || c == '\n') c = ' ';

    CMelodyDataManager second;
    const std::optional<MelodySettings> reread = ParseMelodyFile(*written.bytes, second);
    Require(reread.has_value());
    Require(*reread == expected);
    Require(ImageOf(second, *reread) == ImageOf(first, expected));
    Require(Utf8ToCp932(MelodyFileText(*reread, second)).bytes == written.bytes);

    const std::string midi = MidiFileBytes(*Utf8ToCp932(reread->title).bytes, reread->tempo, second);
    Require(midi.compare(0, 4, "MThd") == 0);
    return 0;
}
