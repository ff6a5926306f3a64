#include "cli/messages.h"

#include <cerrno>
#include <cstdio>

namespace lunomat::cli {

std::string SystemReason(int errorNumber) {
    switch (errorNumber) {
        case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
        case EACCES: return "Keine Berechtigung";
        case EPERM: return "Die Operation ist nicht erlaubt";
        case ENOSPC: return "Kein Speicherplatz mehr auf dem Gerät";
        case EDQUOT: return "Der Plattenplatz des Benutzers ist erschöpft";
        case EFBIG: return "Die Datei ist zu groß";
        case EISDIR: return "Ist ein Verzeichnis";
        case ENOTDIR: return "Ist kein Verzeichnis";
        case EROFS: return "Dateisystem ist nur lesbar";
        case ENAMETOOLONG: return "Der Dateiname ist zu lang";
        case ELOOP: return "Zu viele Ebenen aus symbolischen Verknüpfungen";
        case EIO: return "Ein-/Ausgabefehler";
        case EPIPE: return "Der Empfänger hat die Verbindung geschlossen";
        case EBUSY: return "Das Gerät oder die Ressource ist belegt";
        case ETXTBSY: return "Die Programmdatei ist in Benutzung";
        case EEXIST: return "Die Datei existiert bereits";
        case EXDEV: return "Ungültige Verknüpfung über Gerätegrenzen hinweg";
        case ENXIO: return "Kein solches Gerät oder keine solche Adresse";
        case EMFILE:
        case ENFILE: return "Zu viele offene Dateien";
        case ENOMEM: return "Nicht genügend Hauptspeicher verfügbar";
        case EINVAL: return "Ungültiges Argument";
        default: return "Systemfehler " + std::to_string(errorNumber);
    }
}

namespace {

// Length of the UTF-8 sequence that starts text[i], or 0 when the bytes
// there are no well-formed sequence (overlong forms and surrogates included).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                       : lead >= 0xF0 && lead <= 0xF4   ? 4
                                                                        : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    const unsigned char second = length > 1 ? byte(i + 1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

void AppendEscaped(std::string& out, unsigned char c) {
    switch (c) {
        case '\n': out += "\\n"; return;
        case '\t': out += "\\t"; return;
        case '\r': out += "\\r"; return;
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
}

}  // namespace

std::string Quoted(std::string_view argument) {
    constexpr int kMaxShown = 60;
    std::string out = "„";
    int shown = 0;
    for (std::size_t i = 0; i < argument.size();) {
        if (shown == kMaxShown) {
            out += "…";
            break;
        }
        const std::size_t length = SequenceLength(argument, i);
        const auto c = static_cast<unsigned char>(argument[i]);
        // C1 controls (U+0080..U+009F) act on some terminals like ESC [.
        const bool c1 = length == 2 && c == 0xC2 && static_cast<unsigned char>(argument[i + 1]) < 0xA0;
        if (length == 0 || c < 0x20 || c == 0x7F || c1) {
            for (std::size_t k = 0; k < (c1 ? 2 : 1); ++k) AppendEscaped(out, static_cast<unsigned char>(argument[i + k]));
            i += c1 ? 2 : 1;
        } else {
            out.append(argument, i, length);
            i += length;
        }
        ++shown;
    }
    return out + "“";
}

}  // namespace lunomat::cli
