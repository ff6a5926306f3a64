// The module behind PlatformExtras: the error sound through libcanberra, the
// desktop's own event-sound player, and Qt Print Support for the print
// dialog; loaded by the program on first use.

// GIO first: its headers use "signals" as a name, which Qt makes a keyword.
#include <canberra.h>
#include <gio/gio.h>

#include <QFile>

#include "ui/platform/platform_extras.h"
#include "ui/print/painter_line_printer.h"

namespace lunomat {
namespace {

// The user's switch for event sounds, where the desktop keeps it in GSettings
// (GNOME and the desktops built on its settings); without it sounds are on.
bool eventSoundsWanted() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.sound", TRUE) : nullptr;
    if (!schema) return true;
    bool wanted = true;
    if (g_settings_schema_has_key(schema, "event-sounds")) {
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        wanted = g_settings_get_boolean(settings, "event-sounds");
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return wanted;
}

class ModuleExtras : public PlatformExtras {
public:
    ~ModuleExtras() override {
        if (context_) ca_context_destroy(context_);
    }
    void playSound(const QString& file) override {
        // Asked each time, so that switching event sounds off counts at once.
        if (!eventSoundsWanted()) return;
        if (!context_) {
            if (ca_context_create(&context_) != CA_SUCCESS) {
                context_ = nullptr;
                return;
            }
            ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Luno-Mat", CA_PROP_APPLICATION_ID,
                                    "org.lunomat.lunomat", nullptr);
        }
        // A new error stops the sound that still plays and starts it anew.
        ca_context_cancel(context_, kErrorSoundId);
        ca_context_play(context_, kErrorSoundId, CA_PROP_MEDIA_FILENAME, QFile::encodeName(file).constData(),
                        CA_PROP_MEDIA_ROLE, "event", CA_PROP_EVENT_DESCRIPTION, "Fehler", nullptr);
    }
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override { return showPrintDialog(parent); }

private:
    static constexpr uint32_t kErrorSoundId = 1;
    ca_context* context_ = nullptr;  // kept, so that a new error can stop the last sound
};

}  // namespace
}  // namespace lunomat

extern "C" Q_DECL_EXPORT lunomat::PlatformExtras* lunomat_create_platform_extras() { return new lunomat::ModuleExtras; }
