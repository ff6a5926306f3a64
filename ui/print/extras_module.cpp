// The module behind PlatformExtras: Qt Multimedia for the error sound and Qt
// Print Support for the print dialog, loaded by the program on first use.
#include <QSoundEffect>
#include <QUrl>

#include "ui/platform/platform_extras.h"
#include "ui/print/painter_line_printer.h"

namespace lunomat {
namespace {

class ModuleExtras : public PlatformExtras {
public:
    void playSound(const QString& file) override {
        if (!sound_ || sound_->source() != QUrl::fromLocalFile(file)) {
            sound_ = std::make_unique<QSoundEffect>();
            sound_->setSource(QUrl::fromLocalFile(file));
        }
        sound_->stop();
        sound_->play();
    }
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override { return showPrintDialog(parent); }

private:
    std::unique_ptr<QSoundEffect> sound_;  // kept, so that a new error restarts it
};

}  // namespace
}  // namespace lunomat

extern "C" Q_DECL_EXPORT lunomat::PlatformExtras* lunomat_create_platform_extras() {
    return new lunomat::ModuleExtras;
}
