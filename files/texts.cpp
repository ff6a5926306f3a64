// The German texts of the writer's messages, shared with lunomat-cli.
#include <cerrno>
#include <cstdio>

#include "files/file_writer.h"

namespace lunomat::files {

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
    case EBADF: return "Die Ausgabe ist geschlossen oder nicht zum Schreiben geöffnet";
    case EAGAIN: return "Die Ausgabe nimmt im Moment nichts an";
    case EINTR: return "Durch ein Signal unterbrochen";
    case ENODEV: return "Kein solches Gerät";
    case ENOTCONN:
    case ECONNRESET: return "Die Verbindung wurde getrennt";
    case ESTALE: return "Die Datei auf dem Netzlaufwerk ist nicht mehr gültig";
    case ETIMEDOUT: return "Die Zeit für den Zugriff ist abgelaufen";
    case EOVERFLOW: return "Der Wert ist zu groß für den Datentyp";
    case ESPIPE: return "Die Ausgabe erlaubt kein Springen";
    case EOPNOTSUPP: return "Die Operation wird nicht unterstützt";
    case EMLINK: return "Zu viele Verknüpfungen";
    case ENOLCK: return "Keine Sperren verfügbar";
    case EDESTADDRREQ: return "Die Ausgabe hat kein Ziel";
    case EFAULT: return "Ungültige Adresse";
    case ENOSYS: return "Die Funktion ist nicht implementiert";
    case ECANCELED: return "Der Vorgang wurde abgebrochen";
    case EREMOTEIO: return "Ein-/Ausgabefehler auf der Gegenseite";
    case ENOTEMPTY: return "Das Verzeichnis ist nicht leer";
    case ENOMEDIUM: return "Kein Medium gefunden";
    case EUCLEAN: return "Die Struktur des Dateisystems muss bereinigt werden";
    case EDEADLK: return "Die Sperre würde zu einer Verklemmung führen";
    case ENOKEY: return "Der benötigte Schlüssel ist nicht verfügbar";
    case ECONNREFUSED: return "Die Verbindung wurde verweigert";
    default: return "Systemfehler " + std::to_string(errorNumber);
    }
}

namespace {

// Length of the UTF-8 sequence that starts text[i], or 0 when the bytes
// there are no well-formed sequence (overlong forms and surrogates included).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    const unsigned char second = length > 1 ? byte(i + 1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

char32_t CodePoint(std::string_view text, std::size_t i, std::size_t length) {
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = static_cast<unsigned char>(text[i]) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return c;
}

// Characters that print nothing yet act on the line: C1 controls (some
// terminals take U+009B for ESC [), the marks and embeddings that reorder
// text written right to left, and the characters of no width that hide
// between visible ones.
bool ActsUnseen(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0xAD || c == 0x61C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
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

std::string Quoted(std::string_view text) {
    constexpr int kMaxShown = 60;
    std::string out = "„";
    int shown = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (shown == kMaxShown) {
            out += "…";
            break;
        }
        const std::size_t length = SequenceLength(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            AppendEscaped(out, c);
            ++i;
        } else if (const char32_t code = CodePoint(text, i, length); length > 1 && ActsUnseen(code)) {
            // A C1 control keeps its bytes as before; the others their number.
            if (code <= 0x9F) {
                for (std::size_t k = 0; k < length; ++k) AppendEscaped(out, static_cast<unsigned char>(text[i + k]));
            } else {
                char hex[16];
                std::snprintf(hex, sizeof hex, "\\u{%04X}", static_cast<unsigned>(code));
                out += hex;
            }
            i += length;
        } else {
            out.append(text, i, length);
            i += length;
        }
        ++shown;
    }
    return out + "“";
}

}  // namespace lunomat::files
